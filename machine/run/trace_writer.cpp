#include "machine/run/trace_writer.hpp"

#include "machine/cpu/disassembler.hpp"

namespace scree {

namespace {

constexpr size_t kInstructionColumn = 8;
constexpr size_t kStateColumn = 36;

void pad_to(std::string& s, size_t column) {
    s.append(s.size() < column ? column - s.size() : 1, ' ');
}

}  // namespace

bool TraceWriter::open(const std::string& path) { return file_.open(path, platform::OutFile::Mode::Text); }

void TraceWriter::start(Machine& machine) { take_registers(machine); }

void TraceWriter::take_registers(Machine& machine) {
    wp_ = machine.cpu().wp;
    for (unsigned n = 0; n < 16; ++n) registers_[n] = machine.peek_word(static_cast<uint16_t>(wp_ + 2 * n));
}

// ">A004   LI   R0,>4000            WP=>83E0 ST=>2000  R0=>4000": a context
// switch lists R13 to R15 of the new workspace.
std::string TraceWriter::line(Machine& machine) {
    const Cpu& cpu = machine.cpu();
    const uint16_t pc = cpu.instruction_pc;
    const Disassembly d = disassemble(pc, [&machine](uint16_t a) { return machine.peek_word(a); });
    std::string s = hex_word(pc);
    pad_to(s, kInstructionColumn);
    s += d.mnemonic;
    if (!d.operands.empty()) {
        pad_to(s, kInstructionColumn + 5);
        s += d.operands;
    }
    pad_to(s, kStateColumn);
    s += "WP=" + hex_word(cpu.wp) + " ST=" + hex_word(cpu.st);
    const uint16_t old_wp = wp_;
    const std::array<uint16_t, 16> old = registers_;
    take_registers(machine);
    std::string changed;
    for (unsigned n = 0; n < 16; ++n) {
        const bool switched = cpu.wp != old_wp && n >= 13 && registers_[13] == old_wp;
        if (cpu.wp == old_wp ? registers_[n] != old[n] : switched)
            changed += " R" + std::to_string(n) + "=" + hex_word(registers_[n]);
    }
    if (!changed.empty()) s += " " + changed;
    return s;
}

void TraceWriter::record(Machine& machine) {
    std::string s = line(machine);
    s += '\n';
    file_.write(s);
}

bool TraceWriter::close() { return file_.close(); }

}  // namespace scree
