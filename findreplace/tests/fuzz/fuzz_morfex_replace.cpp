// Differential fuzzing of the replacement: the streaming editor, fed in
// chunks of any size, must give the text, the found flag and the line count
// of the plain piece-by-piece model.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "findreplace/options.hpp"
#include "findreplace/piece_editor.hpp"
#include "../reference_editor.hpp"

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

    const morfex_test::ReferenceResult expected = morfex_test::reference_edit(text, find, replace);

    morfex::PieceEditor editor(find, replace);
    std::string out, pending;
    for (size_t pos = 0; pos < text.size(); pos += chunk) {
        pending += text.substr(pos, chunk);
        pending.erase(0, editor.edit(pending, false, out));
        if (pending.size() >= morfex::kPieceSize) std::abort();
    }
    editor.edit(pending, true, out);
    if (out != expected.text || editor.replaced() != expected.replaced || editor.lines() != expected.lines)
        std::abort();
    return 0;
}
