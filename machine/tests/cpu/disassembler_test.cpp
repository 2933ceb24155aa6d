// The disassembler's text assembles back to the same words: words of every
// instruction, mode and operand, the encodings tarn would not write, and
// random words, disassembled at an address and assembled there by tarn.
#include <random>

#include <gtest/gtest.h>

#include "machine/cpu/disassembler.hpp"
#include "machine/cpu/instruction_set.hpp"
#include "machine/tests/cpu/cpu_rig.hpp"
#include "machine/tests/support/build_program.hpp"

namespace cpu_test {
namespace {

using scree::Format;

struct Line {
    uint16_t address;
    std::string text;
};

// Disassembles words placed at base, assembles the text at base and
// expects the same words back.
void expect_round_trip(uint16_t base, const std::vector<uint16_t>& words) {
    ASSERT_LE(words.size(), 0x1000u);
    const auto read = [&](uint16_t address) -> uint16_t {
        const size_t i = static_cast<uint16_t>(address - base) / 2u;
        return i < words.size() ? words[i] : 0;
    };
    std::vector<Line> lines;
    std::string source = "       AORG " + hex(base) + "\n";
    for (size_t i = 0; i < words.size();) {
        const uint16_t address = static_cast<uint16_t>(base + 2 * i);
        const scree::Disassembly d = scree::disassemble(address, read);
        std::string text = d.mnemonic;
        if (!d.operands.empty()) text += " " + d.operands;
        lines.push_back({address, text});
        source += "       " + text + "\n";
        i += d.words;
    }
    source += "       END\n";
    testkit::TempDir dir;
    const std::string image = scree_test::assemble_image(dir.path(), source, base, static_cast<uint16_t>(base + 2 * words.size()));
    ASSERT_EQ(image.size(), 2 * words.size());
    size_t line = 0, failures = 0;
    for (size_t i = 0; i < words.size() && failures < 20; ++i) {
        const uint16_t address = static_cast<uint16_t>(base + 2 * i);
        while (line + 1 < lines.size() && lines[line + 1].address <= address) ++line;
        const uint16_t got = static_cast<uint16_t>(static_cast<uint8_t>(image[2 * i]) << 8 | static_cast<uint8_t>(image[2 * i + 1]));
        if (got != words[i]) {
            ++failures;
            ADD_FAILURE() << hex(address) << ": " << hex(words[i]) << " came back as " << hex(got) << " from \""
                          << lines[line].text << "\"";
        }
    }
}

// Operand words after an opcode, as many as it takes.
void push_instruction(std::vector<uint16_t>& out, uint16_t opcode) {
    out.push_back(opcode);
    for (unsigned i = 1; i < scree::instruction_words(opcode); ++i) out.push_back(static_cast<uint16_t>(0x1234 * i + opcode));
}

// Every row with the operand fields it has: modes, registers, counts,
// displacements, and the bits formats 7 and 8 leave unused.
std::vector<uint16_t> every_form() {
    std::vector<uint16_t> out;
    unsigned count = 0;
    const scree::Instruction* rows = scree::instruction_rows(count);
    for (unsigned r = 0; r < count; ++r) {
        const scree::Instruction& in = rows[r];
        const uint16_t op = in.opcode;
        switch (in.format) {
            case Format::TwoOperand:
                for (unsigned ts = 0; ts < 4; ++ts)
                    for (unsigned td = 0; td < 4; ++td)
                        for (unsigned reg : {0u, 1u, 15u})
                            push_instruction(out, static_cast<uint16_t>(op | td << 10 | (15 - reg) << 6 | ts << 4 | reg));
                break;
            case Format::RegisterDest:
            case Format::Xop:
            case Format::CruMulti:
                for (unsigned ts = 0; ts < 4; ++ts)
                    for (unsigned d = 0; d < 16; ++d) push_instruction(out, static_cast<uint16_t>(op | d << 6 | ts << 4 | (d ^ 5)));
                break;
            case Format::SingleOperand:
                for (unsigned ts = 0; ts < 4; ++ts)
                    for (unsigned s = 0; s < 16; ++s) push_instruction(out, static_cast<uint16_t>(op | ts << 4 | s));
                break;
            case Format::Shift:
                for (unsigned c = 0; c < 16; ++c) push_instruction(out, static_cast<uint16_t>(op | c << 4 | (15 - c)));
                break;
            case Format::Jump:
            case Format::CruBit:
                for (unsigned d : {0x00u, 0x01u, 0x7Eu, 0x7Fu, 0x80u, 0x81u, 0xFEu, 0xFFu}) push_instruction(out, static_cast<uint16_t>(op | d));
                break;
            case Format::NoOperand:
            case Format::Immediate:
            case Format::RegisterImmediate:
            case Format::RegisterOnly:
                for (unsigned low = 0; low < 32; ++low) push_instruction(out, static_cast<uint16_t>(op | low));
                break;
            case Format::Illegal:
                for (uint16_t w : {0x0000, 0x0080, 0x0090, 0x0180, 0x01C0, 0x01FF, 0x0320, 0x033F, 0x0780, 0x07FF, 0x0C00, 0x0FFF})
                    out.push_back(w);
                break;
        }
    }
    return out;
}

TEST(Disassembler, EveryFormRoundTripsThroughTarn) {
    const std::vector<uint16_t> words = every_form();
    for (size_t first = 0; first < words.size(); first += 0x0F00) {
        const size_t end = std::min(words.size(), first + 0x0F00);
        expect_round_trip(static_cast<uint16_t>(0xA000), std::vector<uint16_t>(words.begin() + static_cast<long>(first), words.begin() + static_cast<long>(end)));
    }
}

TEST(Disassembler, RandomWordsRoundTripThroughTarn) {
    std::mt19937 random(9900);
    for (uint16_t base : {0x0000, 0x6000, 0xA000}) {
        std::vector<uint16_t> words(0x0F00);
        for (uint16_t& w : words) w = static_cast<uint16_t>(random());
        expect_round_trip(base, words);
    }
}

// Jumps whose target lies across >FFFF/>0000 from the jump.
TEST(Disassembler, JumpsAcrossTheEndOfMemory) {
    std::vector<uint16_t> low, high;
    for (unsigned d = 0x80; d < 0x100; d += 0x11) low.push_back(static_cast<uint16_t>(0x1000 | d));
    for (unsigned d = 0; d < 0x80; d += 0x11) high.push_back(static_cast<uint16_t>(0x1300 | d));
    expect_round_trip(0x0000, low);
    expect_round_trip(0xFFE0, high);
}

TEST(Disassembler, Text) {
    const uint16_t code[] = {0xC821, 0x1234, 0x5678, 0x10FF, 0x0A01, 0x1DFF, 0x3000, 0x2C85, 0x0300, 0x0002};
    const auto read = [&](uint16_t a) -> uint16_t { return code[(a - 0xA000) / 2 % std::size(code)]; };
    const auto text = [&](uint16_t a) {
        const scree::Disassembly d = scree::disassemble(a, read);
        return d.mnemonic + " " + d.operands + " " + std::to_string(d.words);
    };
    EXPECT_EQ(text(0xA000), "MOV @>1234(R1),@>5678 3");
    EXPECT_EQ(text(0xA006), "JMP >A006 1");
    EXPECT_EQ(text(0xA008), "SLA R1,0 1");
    EXPECT_EQ(text(0xA00A), "DATA >1DFF 1");
    EXPECT_EQ(text(0xA00C), "LDCR R0,0 1");
    EXPECT_EQ(text(0xA00E), "XOP R5,2 1");
    EXPECT_EQ(text(0xA010), "LIMI >0002 2");
}

}  // namespace
}  // namespace cpu_test
