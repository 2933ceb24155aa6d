#include "message_box.hpp"

namespace platform {

int message_box(std::ostream& out, std::string_view text, std::string_view caption, MessageBoxIcon) {
    out << caption << ": " << text << '\n';
    out.flush();
    return 1;
}

}  // namespace platform
