// Feeds arbitrary formats and values to the formatter of fmtval(, fmtstr(
// and the language-module texts. Input: a format, a NUL byte, a value.
#include <cstdint>
#include <string>

#include "engine/ini_reader.hpp"
#include "engine/safe_format.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    size_t nul = in.find('\0');
    std::string_view format = in.substr(0, nul);
    std::string_view value = nul == std::string_view::npos ? std::string_view() : in.substr(nul + 1);
    auto n = dok::format_number(format, dok::atoi32(value), 254);
    if (n && n->size() > 254) __builtin_trap();
    auto s = dok::format_string(format, value, 254);
    if (s && s->size() > 254) __builtin_trap();
    std::vector<dok::MessageArg> args{dok::MessageArg::of(value), dok::MessageArg::of(int64_t{-7}),
                                      dok::MessageArg::of(format)};
    std::string m = dok::format_message(format, args);
    if (m.size() > format.size() + 2 * value.size() + format.size() * (value.size() + 12)) __builtin_trap();
    return 0;
}
