// The plain piece-by-piece editor, kept as the model that the streaming
// editor of morfex must agree with: the input is cut into pieces (the bytes
// up to a carriage return or line feed, or 512 bytes when no line end comes
// first) and each piece is searched on its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace morfex_test {

class ReferenceEditor {
public:
    ReferenceEditor(std::string_view find, std::string_view replace);

    // Edits the complete pieces at the front of data and appends the result
    // to out; returns the bytes consumed. With at_end everything is consumed.
    size_t edit(std::string_view data, bool at_end, std::string& out);

    bool replaced() const { return replaced_; }
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

struct ReferenceResult {
    std::string text;
    bool replaced = false;
    uint64_t lines = 0;
};

ReferenceResult reference_edit(std::string_view text, std::string_view find, std::string_view replace);

}  // namespace morfex_test
