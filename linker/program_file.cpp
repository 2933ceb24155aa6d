#include "program_file.hpp"

#include "platform/paths.hpp"

namespace fell {

V9t9Header make_v9t9_header(std::string_view name, unsigned length) {
    V9t9Header h{};
    for (size_t i = 0; i < 10; ++i) h[i] = i < name.size() ? static_cast<uint8_t>(name[i]) : ' ';
    h[12] = 1;
    unsigned sectors = (length + 255) / 256;
    h[14] = static_cast<uint8_t>(sectors >> 8);
    h[15] = static_cast<uint8_t>(sectors);
    h[16] = static_cast<uint8_t>(length % 256);
    return h;
}

bool is_v9t9_program_header(const V9t9Header& h) {
    for (size_t i : {10, 11, 13, 17, 18, 19})
        if (h[i] != 0) return false;
    return (h[12] & ~8) == 1;
}

unsigned v9t9_content_size(const V9t9Header& h) {
    const unsigned sectors = static_cast<unsigned>(h[14] << 8 | h[15]);
    const unsigned used = h[16];
    return used == 0 || sectors == 0 ? sectors * 256 : sectors * 256 - (256 - used);
}

}  // namespace fell
