// The replacement engine. Text is cut into pieces: the bytes up to a carriage
// return or line feed, or 512 bytes when no line end comes first. In each
// piece every occurrence of the find string is replaced, left to right and
// without overlap; the line end bytes are copied unchanged.
//
// The text is searched as a whole; the pieces matter only where a hit could
// cross the border between two pieces of a long line, and that is worked
// out around each hit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text_scan.hpp"

namespace morfex {

constexpr size_t kPieceSize = 512;

class PieceEditor {
public:
    PieceEditor(std::string_view find, std::string_view replace);

    // Edits the front of data and appends the result to out. Returns the
    // number of bytes consumed; the rest (shorter than the find string) must
    // be passed again with the data that follows. With at_end everything is
    // consumed.
    size_t edit(std::string_view data, bool at_end, std::string& out);

    bool replaced() const { return replaced_; }
    // Line ends passed so far; CR LF counts once.
    uint64_t lines() const { return lines_; }

private:
    // Bytes since the last line end, known at one position of the data.
    struct Run {
        size_t pos;
        uint64_t length;
    };

    uint64_t run_at(std::string_view data, size_t pos, Run& known) const;
    bool within_piece(std::string_view data, size_t hit, Run& known) const;
    void count_lines(std::string_view text);

    std::string find_;
    std::string replace_;
    TextSearch search_;
    bool can_match_ = false;
    bool replaced_ = false;
    bool after_cr_ = false;
    uint64_t run_ = 0;  // bytes since the last line end, before the next data
    uint64_t lines_ = 0;
};

// Whole text at once; replaced tells whether anything was replaced.
std::string edit_text(std::string_view text, std::string_view find, std::string_view replace,
                      bool* replaced = nullptr);

}  // namespace morfex
