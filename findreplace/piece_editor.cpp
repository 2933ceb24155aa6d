#include "piece_editor.hpp"

#include <cstring>

namespace morfex {
namespace {

bool is_line_end(char c) { return c == '\n' || c == '\r'; }

}  // namespace

PieceEditor::PieceEditor(std::string_view find, std::string_view replace)
    : find_(find), replace_(replace), search_(find) {
    // A piece never holds a line end and never exceeds 512 bytes.
    can_match_ = !find_.empty() && find_.size() <= kPieceSize && find_.find_first_of("\r\n") == std::string::npos;
}

// The bytes since the last line end at pos, found by looking back from pos
// no further than the position already known, which then moves to pos.
uint64_t PieceEditor::run_at(std::string_view data, size_t pos, Run& known) const {
    size_t q = pos;
    while (q > known.pos && !is_line_end(data[q - 1])) --q;
    known.length = q > known.pos ? pos - q : known.length + (pos - known.pos);
    known.pos = pos;
    return known.length;
}

// A hit counts only when it lies within one piece of its line. It does when
// a line end comes less than a piece length minus its own length before it
// (the usual case, found without looking at every byte); else the length of
// the line so far decides.
bool PieceEditor::within_piece(std::string_view data, size_t hit, Run& known) const {
    const size_t reach = kPieceSize - find_.size();
    const size_t start = hit - known.pos > reach ? hit - reach : known.pos;
    const char* window = data.data() + start;
    if (std::memchr(window, '\n', hit - start) || std::memchr(window, '\r', hit - start)) return true;
    return run_at(data, hit, known) % kPieceSize + find_.size() <= kPieceSize;
}

void PieceEditor::count_lines(std::string_view text) {
    if (text.empty()) return;
    lines_ += count_line_ends(text, after_cr_);
    after_cr_ = text.back() == '\r';
}

size_t PieceEditor::edit(std::string_view data, bool at_end, std::string& out) {
    const size_t length = find_.size();
    // Hits that start before limit lie wholly in data; later ones wait for
    // the data that follows.
    size_t limit = data.size();
    if (!at_end && can_match_) limit = data.size() >= length ? data.size() - length + 1 : 0;
    size_t copied = 0;  // data before this is in out
    Run known{0, run_};
    if (can_match_) {
        for (size_t hit = search_.find(data, 0); hit < limit; hit = search_.find(data, hit)) {
            if (!within_piece(data, hit, known)) {
                ++hit;
                continue;
            }
            out.append(data.data() + copied, hit - copied);
            out += replace_;
            hit = copied = hit + length;
            replaced_ = true;
        }
    }
    const size_t consumed = limit > copied ? limit : copied;
    out.append(data.data() + copied, consumed - copied);
    run_ = run_at(data, consumed, known);
    count_lines(data.substr(0, consumed));
    return consumed;
}

std::string edit_text(std::string_view text, std::string_view find, std::string_view replace, bool* replaced) {
    PieceEditor editor(find, replace);
    std::string out;
    editor.edit(text, true, out);
    if (replaced) *replaced = editor.replaced();
    return out;
}

}  // namespace morfex
