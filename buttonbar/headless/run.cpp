#include "headless/run.hpp"

#include "engine/dok.hpp"
#include "headless/ui.hpp"

namespace dok {

int run_headless(const std::vector<std::string>& args, platform::Console& con, const DokOptions& options) {
    HeadlessUi ui(con.in, con.out);
    return run_dok(args, con, ui, options);
}

}  // namespace dok
