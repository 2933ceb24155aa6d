// The program file format: 6-byte header, optional 128-byte V9T9 header,
// chains of files whose names count up. Commands .S and .P.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace fell {

struct LinkState;

inline constexpr size_t kV9t9HeaderSize = 128;
inline constexpr size_t kProgramHeaderSize = 6;
inline constexpr unsigned kMaxDataWithHeader = 0x1FFA;
inline constexpr unsigned kMaxDataWithoutHeader = 0x2000;
inline constexpr uint16_t kTiMore = 0xFFFF;
inline constexpr uint16_t kTiLast = 0x0000;
inline constexpr uint16_t kGeneveMore = 0x5047;
inline constexpr uint16_t kGeneveLast = 0x0047;

using V9t9Header = std::array<uint8_t, kV9t9HeaderSize>;

// Header for a file of that name part holding `length` bytes after it.
V9t9Header make_v9t9_header(std::string_view name, unsigned length);
bool is_v9t9_program_header(const V9t9Header& h);
// Bytes of the file after the header: whole sectors less the unused end of
// the last one.
unsigned v9t9_content_size(const V9t9Header& h);

// .S with its argument text.
void save_command(LinkState& s, std::string_view args);

// .P, .P- (v9t9 false) and .P+ (v9t9 true) with the text after the sign.
void load_program_command(LinkState& s, std::string_view args, bool v9t9);

}  // namespace fell
