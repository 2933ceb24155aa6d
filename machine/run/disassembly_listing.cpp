#include "machine/run/disassembly_listing.hpp"

#include "machine/cpu/disassembler.hpp"

namespace scree {

namespace {

constexpr size_t kOperandColumn = 12;
constexpr size_t kCommentColumn = 40;

std::string statement(std::string_view mnemonic, std::string_view operands, uint16_t address) {
    std::string s = "       ";
    s += mnemonic;
    if (!operands.empty()) {
        s.append(s.size() < kOperandColumn ? kOperandColumn - s.size() : 1, ' ');
        s += operands;
    }
    s.append(s.size() < kCommentColumn ? kCommentColumn - s.size() : 1, ' ');
    return s + hex_word(address) + "\n";
}

std::string byte_text(uint8_t b) {
    static const char kDigits[] = "0123456789ABCDEF";
    return std::string(">") + kDigits[b >> 4] + kDigits[b & 15];
}

// The instructions of one block; an instruction whose words would run past
// the block's end is listed as DATA.
std::string block_text(const LoadedBlock& block) {
    std::string out = "       AORG " + hex_word(block.address) + "\n";
    const uint32_t end = block.address + static_cast<uint32_t>(block.bytes.size());
    auto byte_at = [&](uint32_t a) { return block.bytes[a - block.address]; };
    auto word_at = [&](uint16_t a) -> uint16_t {
        return a >= block.address && a + 1u < end ? static_cast<uint16_t>(byte_at(a) << 8 | byte_at(a + 1u)) : 0;
    };
    uint32_t a = block.address;
    if (a & 1) {
        out += statement("BYTE", byte_text(byte_at(a)), static_cast<uint16_t>(a));
        ++a;
    }
    while (a + 1 < end) {
        const uint16_t at = static_cast<uint16_t>(a);
        Disassembly d = disassemble(at, word_at);
        if (a + 2u * d.words > end) d = {"DATA", hex_word(word_at(at)), 1};
        out += statement(d.mnemonic, d.operands, at);
        a += 2u * d.words;
    }
    if (a < end) out += statement("BYTE", byte_text(byte_at(a)), static_cast<uint16_t>(a));
    return out;
}

}  // namespace

std::string disassembly_listing(const LoadImage& image, std::optional<uint16_t> entry) {
    std::string out = "* Disassembled by scree: assemble with tarn -R.\n";
    if (entry) out += "* Entry " + hex_word(*entry) + "\n";
    for (const LoadedBlock& block : image.blocks()) out += block_text(block);
    return out + "       END\n";
}

}  // namespace scree
