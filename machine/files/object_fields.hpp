// Tagged object files taken apart: the records (lines, or 80-byte cards in
// the compressed form, where values are two raw bytes) and a cursor over a
// record's fields that keeps the checksum sum.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scree {

inline constexpr char kCompressedHeaderTag = '\x01';

// Lines when the first 254 bytes hold a line feed and the file does not
// start with the compressed header tag, else 80-byte records with any
// CR and LF between them skipped; a last record shorter than 80 bytes is
// not one.
std::vector<std::string_view> split_records(std::string_view file);

class FieldCursor {
public:
    FieldCursor(std::string_view record, bool compressed) : record_(record), compressed_(compressed) {}

    bool at_end() const { return pos_ >= record_.size(); }
    // The next byte without taking it; 0 at the end.
    uint8_t peek() const { return at_end() ? 0 : static_cast<uint8_t>(record_[pos_]); }
    // The next byte, added to the sum when summed.
    bool byte(uint8_t& c, bool summed = true);
    // A value: four hex digits, or two raw bytes high first when compressed.
    // False when the record ends first or a digit is not hexadecimal.
    bool value(uint16_t& v, bool summed = true);
    // A name field of that width; the name is its leading run of non-blanks.
    bool name(size_t width, std::string& text);
    bool skip(size_t count, bool summed);

    uint16_t sum() const { return sum_; }
    void reset_sum() { sum_ = 0; }
    void set_compressed(bool compressed) { compressed_ = compressed; }

private:
    std::string_view record_;
    bool compressed_;
    size_t pos_ = 0;
    uint16_t sum_ = 0;
};

}  // namespace scree
