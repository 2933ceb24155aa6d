#include "message_box.hpp"

#include <windows.h>

#include <string>

#include "environment.hpp"

namespace platform {
namespace {

UINT icon_style(MessageBoxIcon icon) {
    switch (icon) {
        case MessageBoxIcon::Error: return MB_ICONERROR;
        case MessageBoxIcon::Warning: return MB_ICONWARNING;
        case MessageBoxIcon::Information: return MB_ICONINFORMATION;
        default: return 0;
    }
}

}  // namespace

int message_box(std::ostream& out, std::string_view text, std::string_view caption, MessageBoxIcon icon) {
    if (get_environment("TMS_MESSAGE_BOX_STREAM")) {
        out << caption << ": " << text << '\n';
        out.flush();
        return IDOK;
    }
    MessageBoxA(nullptr, std::string(text).c_str(), std::string(caption).c_str(), MB_OK | icon_style(icon));
    return IDOK;
}

}  // namespace platform
