#include "machine/cpu/disassembler.hpp"

#include "machine/cpu/instruction_set.hpp"

namespace scree {

std::string hex_word(uint16_t value) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string s = ">";
    for (int shift = 12; shift >= 0; shift -= 4) s += kDigits[value >> shift & 15];
    return s;
}

namespace {

std::string reg(unsigned n) {
    std::string s(1, 'R');
    s += static_cast<char>('0' + n / 10 % 10);
    s += static_cast<char>('0' + n % 10);
    if (n < 10) s.erase(1, 1);
    return s;
}

struct Reader {
    const WordReader& read;
    uint16_t next;
    unsigned words = 1;
    uint16_t take() {
        const uint16_t w = read(next);
        next = static_cast<uint16_t>(next + 2);
        ++words;
        return w;
    }
};

std::string general(Reader& r, unsigned t, unsigned s) {
    switch (t) {
        case 0: return reg(s);
        case 1: return std::string(1, '*').append(reg(s));
        case 3: return std::string(1, '*').append(reg(s)).append(1, '+');
        default: {
            std::string text(1, '@');
            text += hex_word(r.take());
            if (s != 0) text.append(1, '(').append(reg(s)).append(1, ')');
            return text;
        }
    }
}

// The bits a row does not select must be zero for tarn to write the same
// word, and a jump's target must not lie across the end of memory (tarn
// computes the displacement without wrapping).
bool canonical(const Instruction& in, uint16_t op, uint16_t address) {
    switch (in.format) {
        case Format::Jump: {
            const long target = long{address} + 2 + 2 * static_cast<int8_t>(op & 0xFF);
            return target >= 0 && target <= 0xFFFF;
        }
        case Format::NoOperand:
        case Format::Immediate: return (op & 0x1F) == 0;
        case Format::RegisterImmediate:
        case Format::RegisterOnly: return (op & 0x10) == 0;
        case Format::CruBit: return (op & 0x80) == 0;  // tarn takes 0 to 127
        default: return in.format != Format::Illegal;
    }
}

std::string operands(Reader& r, const Instruction& in, uint16_t op, uint16_t address) {
    const unsigned ts = op >> 4 & 3, s = op & 15, td = op >> 10 & 3, d = op >> 6 & 15;
    switch (in.format) {
        case Format::TwoOperand: {
            std::string src = general(r, ts, s);
            return src + "," + general(r, td, d);
        }
        case Format::Jump:
            return hex_word(static_cast<uint16_t>(address + 2 + 2 * static_cast<int8_t>(op & 0xFF)));
        case Format::CruBit: return std::to_string(op & 0xFF);
        case Format::RegisterDest: {
            std::string src = general(r, ts, s);
            return src + "," + reg(d);
        }
        case Format::Xop:
        case Format::CruMulti: {
            std::string src = general(r, ts, s);
            return src + "," + std::to_string(d);
        }
        case Format::Shift: return reg(s) + "," + std::to_string(op >> 4 & 15);
        case Format::SingleOperand: return general(r, ts, s);
        case Format::RegisterImmediate: return reg(s) + "," + hex_word(r.take());
        case Format::Immediate: return hex_word(r.take());
        case Format::RegisterOnly: return reg(s);
        default: return "";
    }
}

}  // namespace

Disassembly disassemble(uint16_t address, const WordReader& read) {
    const uint16_t op = read(address);
    const Instruction& in = decode(op);
    if (!canonical(in, op, address)) return {"DATA", hex_word(op), 1};
    Reader r{read, static_cast<uint16_t>(address + 2)};
    std::string text = operands(r, in, op, address);
    return {in.mnemonic, std::move(text), r.words};
}

}  // namespace scree
