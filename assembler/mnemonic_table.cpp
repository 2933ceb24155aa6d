#include "mnemonic_table.hpp"

#include <array>

namespace tarn {
namespace {

constexpr uint32_t row(uint32_t cls, uint32_t low) { return cls << 16 | low; }

constexpr std::array<MnemonicEntry, 103> kTable = {{
    {"A", row(0x01, 0xA000), 2, encode_two_operand},
    {"AB", row(0x01, 0xB000), 2, encode_two_operand},
    {"C", row(0x01, 0x8000), 2, encode_two_operand},
    {"CB", row(0x01, 0x9000), 2, encode_two_operand},
    {"MOV", row(0x01, 0xC000), 2, encode_two_operand},
    {"MOVB", row(0x01, 0xD000), 2, encode_two_operand},
    {"S", row(0x01, 0x6000), 2, encode_two_operand},
    {"SB", row(0x01, 0x7000), 2, encode_two_operand},
    {"SOC", row(0x01, 0xE000), 2, encode_two_operand},
    {"SOCB", row(0x01, 0xF000), 2, encode_two_operand},
    {"SZC", row(0x01, 0x4000), 2, encode_two_operand},
    {"SZCB", row(0x01, 0x5000), 2, encode_two_operand},
    {"JEQ", row(0x02, 0x1300), 1, encode_jump},
    {"JGT", row(0x02, 0x1500), 1, encode_jump},
    {"JH", row(0x02, 0x1B00), 1, encode_jump},
    {"JHE", row(0x02, 0x1400), 1, encode_jump},
    {"JL", row(0x02, 0x1A00), 1, encode_jump},
    {"JLE", row(0x02, 0x1200), 1, encode_jump},
    {"JLT", row(0x02, 0x1100), 1, encode_jump},
    {"JMP", row(0x02, 0x1000), 1, encode_jump},
    {"JNC", row(0x02, 0x1700), 1, encode_jump},
    {"JNE", row(0x02, 0x1600), 1, encode_jump},
    {"JNO", row(0x02, 0x1900), 1, encode_jump},
    {"JOC", row(0x02, 0x1800), 1, encode_jump},
    {"JOP", row(0x02, 0x1C00), 1, encode_jump},
    {"SBO", row(0x02, 0x1D00), 1, encode_jump},
    {"SBZ", row(0x02, 0x1E00), 1, encode_jump},
    {"TB", row(0x02, 0x1F00), 1, encode_jump},
    {"COC", row(0x03, 0x2000), 2, encode_register_dest},
    {"CZC", row(0x03, 0x2400), 2, encode_register_dest},
    {"XOR", row(0x03, 0x2800), 2, encode_register_dest},
    {"LDCR", row(0x04, 0x3000), 2, encode_cru_transfer},
    {"STCR", row(0x04, 0x3400), 2, encode_cru_transfer},
    {"SLA", row(0x05, 0x0A00), 2, encode_shift},
    {"SRA", row(0x05, 0x0800), 2, encode_shift},
    {"SRC", row(0x05, 0x0B00), 2, encode_shift},
    {"SRL", row(0x05, 0x0900), 2, encode_shift},
    {"ABS", row(0x06, 0x0740), 1, encode_single_operand},
    {"B", row(0x06, 0x0440), 1, encode_single_operand},
    {"BL", row(0x06, 0x0680), 1, encode_single_operand},
    {"BLWP", row(0x06, 0x0400), 1, encode_single_operand},
    {"CLR", row(0x06, 0x04C0), 1, encode_single_operand},
    {"DEC", row(0x06, 0x0600), 1, encode_single_operand},
    {"DECT", row(0x06, 0x0640), 1, encode_single_operand},
    {"INC", row(0x06, 0x0580), 1, encode_single_operand},
    {"INCT", row(0x06, 0x05C0), 1, encode_single_operand},
    {"INV", row(0x06, 0x0540), 1, encode_single_operand},
    {"NEG", row(0x06, 0x0500), 1, encode_single_operand},
    {"SETO", row(0x06, 0x0700), 1, encode_single_operand},
    {"SWPB", row(0x06, 0x06C0), 1, encode_single_operand},
    {"X", row(0x06, 0x0480), 1, encode_single_operand},
    {"MPYS", row(0x06, 0x01C0), 1, encode_single_operand},
    {"DIVS", row(0x06, 0x0180), 1, encode_single_operand},
    {"CKOF", row(0x07, 0x03C0), 0, encode_no_operand},
    {"CKON", row(0x07, 0x03A0), 0, encode_no_operand},
    {"IDLE", row(0x07, 0x0340), 0, encode_no_operand},
    {"LREX", row(0x07, 0x03E0), 0, encode_no_operand},
    {"RSET", row(0x07, 0x0360), 0, encode_no_operand},
    {"RTWP", row(0x07, 0x0380), 0, encode_no_operand},
    {"AI", row(0x08, 0x0220), 2, encode_register_immediate},
    {"ANDI", row(0x08, 0x0240), 2, encode_register_immediate},
    {"CI", row(0x08, 0x0280), 2, encode_register_immediate},
    {"LI", row(0x08, 0x0200), 2, encode_register_immediate},
    {"ORI", row(0x08, 0x0260), 2, encode_register_immediate},
    {"LWPI", row(0x08, 0x02E0), 1, encode_immediate_only},
    {"LIMI", row(0x08, 0x0300), 1, encode_immediate_only},
    {"STWP", row(0x08, 0x02A0), 1, encode_register_only},
    {"STST", row(0x08, 0x02C0), 1, encode_register_only},
    {"LWP", row(0x08, 0x0090), 1, encode_register_only},
    {"LST", row(0x08, 0x0080), 1, encode_register_only},
    {"XOP", row(0x09, 0x2C00), 2, encode_format9},
    {"MPY", row(0x09, 0x3800), 2, encode_format9},
    {"DIV", row(0x09, 0x3C00), 2, encode_format9},
    {"RT", row(0x63, 0x045B), 0, encode_pseudo},
    {"NOP", row(0x63, 0x1000), 0, encode_pseudo},
    {"AORG", row(0x6E, 0x0001), 1, directive_aorg},
    {"RORG", row(0x6E, 0x0002), 10, directive_rorg},
    {"DORG", row(0x6E, 0x0003), 1, directive_dorg},
    {"PSEG", row(0x6E, 0x0007), 0, directive_pseg},
    {"PEND", row(0x6E, 0x0008), 0, directive_pend},
    {"CSEG", row(0x6F, 0x0011), 11, directive_cseg},
    {"CEND", row(0x6F, 0x0012), 0, directive_cend},
    {"DSEG", row(0x6F, 0x0013), 0, directive_dseg},
    {"DEND", row(0x6F, 0x0014), 0, directive_dend},
    {"BSS", row(0x6E, 0x0004), 1, directive_bss},
    {"BES", row(0x6E, 0x0005), 1, directive_bes},
    {"EVEN", row(0x6E, 0x0006), 0, directive_even},
    {"UNL", row(0x70, 0x0021), 0, directive_unl},
    {"LIST", row(0x70, 0x0022), 0, directive_list},
    {"PAGE", row(0x70, 0x0023), 0, directive_page},
    {"TITL", row(0x70, 0x0024), 4, directive_titl},
    {"IDT", row(0x70, 0x0025), 4, directive_idt},
    {"EQU", row(0x71, 0x0031), 1, directive_equ},
    {"BYTE", row(0x71, 0x0032), 3, directive_byte},
    {"DATA", row(0x71, 0x0033), 3, directive_data},
    {"TEXT", row(0x71, 0x0034), 4, directive_text},
    {"DEF", row(0x72, 0x0041), 3, directive_def},
    {"REF", row(0x72, 0x0042), 3, directive_ref},
    {"COPY", row(0x72, 0x0043), 4, directive_copy},
    {"LOAD", row(0x72, 0x0044), 0, nullptr},
    {"SREF", row(0x72, 0x0045), 0, nullptr},
    {"DXOP", row(0x73, 0x0051), 2, directive_dxop},
    {"END", row(0x73, 0x0052), 10, directive_end},
}};

// The names have at most four characters: each packs into one word, which
// indexes an open-addressed table of row numbers.
constexpr size_t kSlots = 256;
constexpr uint8_t kEmpty = 0xFF;

constexpr uint32_t pack(std::string_view name) {
    uint32_t key = 0;
    for (char c : name) key = key << 8 | static_cast<unsigned char>(c);
    return key;
}

constexpr size_t slot_hash(uint32_t key) { return (key * 2654435761u) >> 24; }

struct NameIndex {
    std::array<uint8_t, kSlots> slots{};
    std::array<uint32_t, kTable.size()> keys{};
    constexpr NameIndex() {
        for (uint8_t& slot : slots) slot = kEmpty;
        for (size_t row = 0; row < kTable.size(); ++row) {
            keys[row] = pack(kTable[row].name);
            size_t i = slot_hash(keys[row]);
            while (slots[i] != kEmpty) i = (i + 1) % kSlots;
            slots[i] = static_cast<uint8_t>(row);
        }
    }
};

constexpr NameIndex kNameIndex;

}  // namespace

std::span<const MnemonicEntry> mnemonic_table() { return kTable; }

const MnemonicEntry* find_mnemonic(std::string_view name) {
    if (name.empty() || name.size() > 4) return nullptr;
    const NameIndex& index = kNameIndex;
    const uint32_t key = pack(name);
    for (size_t i = slot_hash(key); index.slots[i] != kEmpty; i = (i + 1) % kSlots)
        if (index.keys[index.slots[i]] == key && kTable[index.slots[i]].name.size() == name.size())
            return &kTable[index.slots[i]];
    return nullptr;
}

const MnemonicEntry& xop_row() { return *find_mnemonic("XOP"); }

}  // namespace tarn
