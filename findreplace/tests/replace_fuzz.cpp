// Fuzzes the replacement over arbitrary content and find/replace strings:
// the streaming editor, fed in chunks of any size, must agree with a plain
// byte-at-a-time model of the piece loop.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "findreplace/options.hpp"
#include "findreplace/piece_editor.hpp"

namespace {

// One byte at a time: a piece ends at CR, LF or 512 bytes.
std::string model(std::string_view text, std::string_view find, std::string_view replace, bool& replaced) {
    std::string out;
    replaced = false;
    size_t i = 0;
    while (i < text.size()) {
        std::string piece;
        int end = -1;
        while (i < text.size() && piece.size() < morfex::kPieceSize) {
            char c = text[i++];
            if (c == '\r' || c == '\n') {
                end = c;
                break;
            }
            piece += c;
        }
        size_t from = 0, at;
        while (!find.empty() && (at = piece.find(find, from)) != std::string::npos) {
            out += piece.substr(from, at - from);
            out += replace;
            from = at + find.size();
            replaced = true;
        }
        out += piece.substr(from);
        if (end >= 0) out += static_cast<char>(end);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    std::string_view in(reinterpret_cast<const char*>(data), size);
    size_t find_len = static_cast<uint8_t>(in[0]) % 8;
    size_t replace_len = static_cast<uint8_t>(in[1]) % 16;
    size_t chunk = 1 + static_cast<uint8_t>(in[2]) * 3;
    in.remove_prefix(3);
    if (find_len + replace_len > in.size()) return 0;
    // The strings come through the escape translation, as from the command line.
    std::string find = morfex::translate_escapes(in.substr(0, find_len));
    std::string replace = morfex::translate_escapes(in.substr(find_len, replace_len));
    std::string_view text = in.substr(find_len + replace_len);

    bool expected_replaced = false;
    std::string expected = model(text, find, replace, expected_replaced);

    morfex::PieceEditor editor(find, replace);
    std::string out, pending;
    for (size_t pos = 0; pos < text.size(); pos += chunk) {
        pending += text.substr(pos, chunk);
        pending.erase(0, editor.edit(pending, false, out));
        if (pending.size() >= morfex::kPieceSize) std::abort();
    }
    editor.edit(pending, true, out);
    if (out != expected || editor.replaced() != expected_replaced) std::abort();
    return 0;
}
