// The replacement engine. Text is cut into pieces: the bytes up to a carriage
// return or line feed, or 512 bytes when no line end comes first. In each
// piece every occurrence of the find string is replaced, left to right and
// without overlap; the line end bytes are copied unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace morfex {

constexpr size_t kPieceSize = 512;

class PieceEditor {
public:
    PieceEditor(std::string_view find, std::string_view replace);

    // Edits the complete pieces at the front of data and appends the result
    // to out. Returns the number of bytes consumed; the rest (less than one
    // piece) must be passed again with the data that follows. With at_end
    // everything is consumed.
    size_t edit(std::string_view data, bool at_end, std::string& out);

    bool replaced() const { return replaced_; }
    // Line ends passed so far; CR LF counts once.
    uint64_t lines() const { return lines_; }

private:
    void edit_piece(std::string_view piece, std::string& out);
    void count_line_end(char end, bool empty_piece);

    std::string find_;
    std::string replace_;
    bool can_match_ = false;
    bool replaced_ = false;
    bool after_cr_ = false;
    uint64_t lines_ = 0;
};

// Whole text at once; replaced tells whether anything was replaced.
std::string edit_text(std::string_view text, std::string_view find, std::string_view replace,
                      bool* replaced = nullptr);

}  // namespace morfex
