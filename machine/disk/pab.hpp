// The peripheral access block in VDP RAM: what a program asks of a device,
// and the fields the device answers in.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace scree {

enum class PabOpcode : uint8_t { Open, Close, Read, Write, Restore, Load, Save, Delete, Scratch, Status };

// The error codes of the flag byte's top three bits.
enum class IoError : uint8_t {
    None = 0,  // also "bad device name": the two look the same to a program
    WriteProtected = 1,
    BadAttribute = 2,
    IllegalOperation = 3,
    NoSpace = 4,
    PastEnd = 5,
    DeviceError = 6,
    FileError = 7,
};

enum class OpenMode : uint8_t { Update, Output, Input, Append };

// STATUS: the bits of byte 8.
namespace file_status {
inline constexpr uint8_t kMissing = 0x80;
inline constexpr uint8_t kProtected = 0x40;
inline constexpr uint8_t kInternal = 0x10;
inline constexpr uint8_t kProgram = 0x08;
inline constexpr uint8_t kVariable = 0x04;
inline constexpr uint8_t kEndOfFile = 0x01;
}  // namespace file_status

struct Pab {
    static constexpr size_t kFixedSize = 10;  // before the name

    uint16_t address = 0;  // in VDP RAM
    uint8_t opcode = 0;
    uint8_t flags = 0;  // error bits, VARIABLE, INTERNAL, mode, RELATIVE
    uint16_t buffer = 0;
    uint8_t record_length = 0;
    uint8_t char_count = 0;
    uint16_t record = 0;  // record number; LOAD and SAVE: the byte count
    uint8_t status = 0;   // STATUS answers here (else the screen offset)
    std::string name;     // "DSK1.FILE"

    bool variable() const { return flags & 0x10; }
    bool internal() const { return flags & 0x08; }
    OpenMode mode() const { return static_cast<OpenMode>(flags >> 1 & 3); }
    bool relative() const { return flags & 0x01; }
    void set_error(IoError e) { flags = static_cast<uint8_t>((flags & 0x1F) | static_cast<uint8_t>(e) << 5); }
    IoError error() const { return static_cast<IoError>(flags >> 5); }
};

using Vram = std::array<uint8_t, 0x4000>;

// The PAB at address (addresses wrap within the 16K).
Pab read_pab(const Vram& vram, uint16_t address);
// Writes back what a device may change: the flag byte, the record length,
// the character count, the record number and the status byte.
void write_pab(Vram& vram, const Pab& pab);

// Bytes of VDP RAM from address on, wrapping at the end.
std::string read_vram(const Vram& vram, uint16_t address, size_t length);
void write_vram(Vram& vram, uint16_t address, std::string_view bytes);

}  // namespace scree
