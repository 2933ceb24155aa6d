#include "machine/tests/support/build_program.hpp"

#include <cstdio>
#include <sstream>

#include <gtest/gtest.h>

#include "assembler/tarn.hpp"
#include "linker/fell.hpp"

namespace scree_test {

namespace {

ToolRun run_in(const std::filesystem::path& dir, int (*tool)(const std::vector<std::string>&, platform::Console&),
               const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out;
    platform::Console con{in, out, out};
    testkit::ScopedCwd cwd(dir);
    ToolRun r;
    r.code = tool(args, con);
    r.console = out.str();
    return r;
}

}  // namespace

ToolRun assemble(const std::filesystem::path& dir, std::string_view name, std::string_view source,
                 const std::vector<std::string>& extra) {
    const std::string file = std::string(name) + ".a99";
    testkit::write_bytes(dir / file, source);
    std::vector<std::string> args{"-I" + file, "-R"};
    args.insert(args.end(), extra.begin(), extra.end());
    return run_in(dir, run_tarn, args);
}

ToolRun link(const std::filesystem::path& dir, std::string_view name, std::string_view commands) {
    const std::string file = std::string(name) + ".lnk";
    testkit::write_bytes(dir / file, commands);
    return run_in(dir, run_fell, {"-L" + file});
}

std::string assemble_image(const std::filesystem::path& dir, std::string_view source, uint16_t first, uint16_t last) {
    const ToolRun a = assemble(dir, "image", source);
    EXPECT_EQ(a.code, 0) << a.console;
    char range[32];
    std::snprintf(range, sizeof range, ">%04X >%04X", first, last);
    const ToolRun l = link(dir, "image", std::string(".H-\n.L image.obj\n.S image.bin ") + range + "\n");
    EXPECT_EQ(l.code, 0) << l.console;
    return testkit::read_bytes(dir / "image.bin");
}

}  // namespace scree_test
