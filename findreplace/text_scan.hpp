// Scans over text that look at sixteen bytes at once where the processor
// has vector instructions: finding one string, counting line ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace morfex {

// Finds one string in texts. Each position is first tested on the string's
// first and last byte; only where both agree are the bytes between compared.
class TextSearch {
public:
    explicit TextSearch(std::string_view needle) : needle_(needle) {}

    // First occurrence at or after from, or std::string_view::npos.
    size_t find(std::string_view text, size_t from) const;

private:
    bool matches_at(const char* p) const;
    size_t find_plain(std::string_view text, size_t from) const;

    std::string needle_;
};

// Line ends in text: carriage returns, and line feeds that do not follow one.
// after_cr tells whether the byte before text was a carriage return.
uint64_t count_line_ends(std::string_view text, bool after_cr);

}  // namespace morfex
