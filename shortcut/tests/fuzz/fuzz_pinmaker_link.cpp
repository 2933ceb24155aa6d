// Feeds arbitrary values to the shell link object and checks every file it
// would write: the .lnk sizes add up, a desktop entry is UTF-8 without raw
// control characters.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/shell_link.hpp"

namespace {

void require(bool ok) {
    if (!ok) std::abort();
}

uint32_t u16(const std::string& b, size_t at) {
    require(at + 2 <= b.size());
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

uint32_t u32(const std::string& b, size_t at) { return u16(b, at) | u16(b, at + 2) << 16; }

void check_lnk(const std::string& b) {
    require(u32(b, 0) == 0x4C);
    uint32_t flags = u32(b, 0x14);
    size_t pos = 0x4C;
    if (flags & 0x1) {
        size_t end = pos + 2 + u16(b, pos);
        for (pos += 2; u16(b, pos) != 0; pos += u16(b, pos)) require(u16(b, pos) >= 2 && pos + u16(b, pos) < end);
        require(pos + 2 == end);
        pos = end;
    }
    if (flags & 0x2) pos += u32(b, pos);
    for (uint32_t bit : {0x4u, 0x8u, 0x10u, 0x20u, 0x40u})
        if (flags & bit) pos += 2 + 2 * size_t{u16(b, pos)};
    require(u32(b, pos) == 0 && pos + 4 == b.size());
}

void check_desktop(const std::string& text) {
    require(platform::utf8_to_utf16(text).has_value() && text.back() == '\n');
    for (unsigned char c : text) require(c >= 0x20 || c == '\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> fields(6);  // target, arguments, folder, icon, description, name
    for (size_t i = 0, f = 0; i < size; ++i) {
        if (data[i] == 0 && f + 1 < fields.size())
            ++f;
        else
            fields[f] += static_cast<char>(data[i]);
    }
    platform::ShellLink link;
    link.set_path(fields[0]);
    link.set_arguments(fields[1]);
    link.set_working_directory(fields[2]);
    link.set_icon_location(fields[3], static_cast<int8_t>(size));
    link.set_description(fields[4]);
    for (std::string suffix : {"", ".lnk", ".desktop"}) {
        auto bytes = link.contents(fields[5] + suffix);
        if (!bytes) continue;
        bool desktop = bytes->starts_with("[Desktop Entry]\n");
        if (!suffix.empty()) require(desktop == (suffix == ".desktop"));
        desktop ? check_desktop(*bytes) : check_lnk(*bytes);
    }
    return 0;
}
