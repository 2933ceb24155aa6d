// Classes of source characters, looked up in one table.
#pragma once

#include <array>
#include <cstdint>

namespace tarn {

enum CharClassBit : uint8_t {
    kWhiteBit = 0x01,  // blank, tab, line feed, vertical tab, form feed, carriage return
    kLetterBit = 0x02,
    kLowerBit = 0x04,
    kDigitBit = 0x08,
    kNameBit = 0x10,  // letters, digits, "#", "$" and "_"
};

struct CharClassTable {
    std::array<uint8_t, 256> bits{};
    constexpr CharClassTable() {
        for (char c : {' ', '\t', '\n', '\v', '\f', '\r'}) bits[static_cast<unsigned char>(c)] = kWhiteBit;
        for (int c = 'A'; c <= 'Z'; ++c) bits[static_cast<size_t>(c)] = kLetterBit | kNameBit;
        for (int c = 'a'; c <= 'z'; ++c) bits[static_cast<size_t>(c)] = kLetterBit | kLowerBit | kNameBit;
        for (int c = '0'; c <= '9'; ++c) bits[static_cast<size_t>(c)] = kDigitBit | kNameBit;
        for (char c : {'#', '$', '_'}) bits[static_cast<unsigned char>(c)] = kNameBit;
    }
};
inline constexpr CharClassTable kCharClasses;

inline bool char_is(char c, uint8_t bit) { return (kCharClasses.bits[static_cast<unsigned char>(c)] & bit) != 0; }
inline bool is_white(char c) { return char_is(c, kWhiteBit); }
inline bool is_letter(char c) { return char_is(c, kLetterBit); }
inline bool is_digit(char c) { return char_is(c, kDigitBit); }
inline bool is_name_char(char c) { return char_is(c, kNameBit); }

}  // namespace tarn
