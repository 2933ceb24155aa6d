// Feeds arbitrary values to the shell link object and checks that every file
// it would write is well formed: the .lnk structure adds up, the desktop
// entry has no raw control characters.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/shell_link.hpp"

namespace {

void require(bool ok) {
    if (!ok) std::abort();
}

struct Reader {
    const std::string& b;
    uint32_t u16(size_t at) const {
        require(at + 2 <= b.size());
        return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
    }
    uint32_t u32(size_t at) const { return u16(at) | u16(at + 2) << 16; }
};

void check_lnk(const std::string& b) {
    Reader r{b};
    require(r.u32(0) == 0x4C);
    uint32_t flags = r.u32(0x14);
    size_t pos = 0x4C;
    if (flags & 0x1) {
        size_t end = pos + 2 + r.u16(pos);
        pos += 2;
        for (;;) {
            uint32_t size = r.u16(pos);
            if (size == 0) break;
            require(size >= 2);
            pos += size;
            require(pos < end);
        }
        require(pos + 2 == end);
        pos = end;
    }
    if (flags & 0x2) {
        uint32_t size = r.u32(pos);
        require(r.u32(pos + 0x10) < size && r.u32(pos + 0x18) < size);
        pos += size;
    }
    for (uint32_t bit : {0x4u, 0x8u, 0x10u, 0x20u, 0x40u})
        if (flags & bit) pos += 2 + 2 * size_t{r.u16(pos)};
    require(r.u32(pos) == 0 && pos + 4 == b.size());
}

void check_desktop(const std::string& text) {
    require(platform::utf8_to_utf16(text).has_value());
    for (unsigned char c : text) require(c >= 0x20 || c == '\n');
    require(text.back() == '\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> fields(6);
    size_t field = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && field + 1 < fields.size())
            ++field;
        else
            fields[field] += static_cast<char>(data[i]);
    }
    platform::ShellLink link;
    link.set_path(fields[0]);
    link.set_arguments(fields[1]);
    link.set_working_directory(fields[2]);
    link.set_icon_location(fields[3], static_cast<int8_t>(size));
    link.set_description(fields[4]);
    for (const std::string& suffix : {"", ".lnk", ".desktop"}) {
        std::string name = fields[5] + suffix;
        auto bytes = link.contents(name);
        if (!bytes) continue;
        bool desktop = bytes->rfind("[Desktop Entry]\n", 0) == 0;
        if (suffix != std::string("")) require(desktop == (suffix == std::string(".desktop")));
        if (desktop)
            check_desktop(*bytes);
        else
            check_lnk(*bytes);
    }
    return 0;
}
