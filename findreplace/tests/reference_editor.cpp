#include "reference_editor.hpp"

namespace morfex_test {
namespace {

constexpr size_t kPieceSize = 512;

// Offset of the first CR or LF in the first size bytes, or size.
size_t line_end(const char* p, size_t size) {
    for (size_t i = 0; i < size; ++i)
        if (p[i] == '\n' || p[i] == '\r') return i;
    return size;
}

}  // namespace

ReferenceEditor::ReferenceEditor(std::string_view find, std::string_view replace) : find_(find), replace_(replace) {
    can_match_ = !find_.empty() && find_.size() <= kPieceSize && find_.find_first_of("\r\n") == std::string::npos;
}

void ReferenceEditor::edit_piece(std::string_view piece, std::string& out) {
    size_t from = 0;
    if (can_match_) {
        while (piece.size() - from >= find_.size()) {
            size_t at = piece.find(find_, from);
            if (at == std::string_view::npos) break;
            out.append(piece.data() + from, at - from);
            out += replace_;
            from = at + find_.size();
            replaced_ = true;
        }
    }
    out.append(piece.data() + from, piece.size() - from);
}

void ReferenceEditor::count_line_end(char end, bool empty_piece) {
    if (end == '\r' || !(after_cr_ && empty_piece)) ++lines_;
    after_cr_ = end == '\r';
}

size_t ReferenceEditor::edit(std::string_view data, bool at_end, std::string& out) {
    size_t pos = 0;
    while (pos < data.size()) {
        size_t avail = data.size() - pos;
        size_t window = avail < kPieceSize ? avail : kPieceSize;
        size_t len = line_end(data.data() + pos, window);
        if (len < window) {
            edit_piece(data.substr(pos, len), out);
            out += data[pos + len];
            count_line_end(data[pos + len], len == 0);
            pos += len + 1;
        } else if (len == kPieceSize || at_end) {
            edit_piece(data.substr(pos, len), out);
            after_cr_ = false;
            pos += len;
        } else {
            break;  // the piece goes on in the next data
        }
    }
    return pos;
}

ReferenceResult reference_edit(std::string_view text, std::string_view find, std::string_view replace) {
    ReferenceEditor editor(find, replace);
    ReferenceResult r;
    editor.edit(text, true, r.text);
    r.replaced = editor.replaced();
    r.lines = editor.lines();
    return r;
}

}  // namespace morfex_test
