#include "machine/cpu/cpu.hpp"

#include "machine/cpu/instruction_set.hpp"
#include "machine/cpu/status.hpp"

namespace scree {

namespace {
constexpr unsigned kInterruptClocks = 22;
constexpr unsigned kResetClocks = 26;
constexpr unsigned kFetchClocks = 4;  // what X saves its target
}  // namespace

Cpu::Cpu(MemoryMap& map) : map_(map), decode_(decode_view()) {}

void Cpu::reset() {
    st = 0;
    wp = read_word(0);
    pc = read_word(2);
    cycles += kResetClocks;
    idle_ = false;
    hold_ = false;
    has_pending_ = false;
}

void Cpu::context_switch(uint16_t new_wp, uint16_t new_pc) {
    const uint16_t old_wp = wp, old_pc = pc;
    wp = new_wp;
    write_register(13, old_wp);
    write_register(14, old_pc);
    write_register(15, st);
    pc = new_pc;
}

uint16_t Cpu::operand_address(unsigned t, unsigned reg, bool byte) {
    switch (t) {
        case 0: return register_address(reg);
        case 1:
            cycles += 4;
            return read_register(reg);
        case 2: {
            cycles += 8;
            uint16_t a = fetch();
            if (reg != 0) a = static_cast<uint16_t>(a + read_register(reg));
            return a;
        }
        default: {
            cycles += byte ? 6 : 8;
            const uint16_t ra = register_address(reg);
            const uint16_t a = read_word(ra);
            write_word(ra, static_cast<uint16_t>(a + (byte ? 1 : 2)));
            return a;
        }
    }
}

// Level 1 and below on the 99/4A: vector at 4 * level, mask to level - 1.
// The level is latched when the request is taken; a change while the
// vector is read waits for the next check.
bool Cpu::take_interrupt() {
    const uint8_t level = interrupt_level_;
    if (!interrupt_ || hold_ || level > (st & kStMask)) return false;
    const uint16_t vector = static_cast<uint16_t>(4 * level);
    const uint16_t new_wp = read_word(vector);
    const uint16_t new_pc = read_word(static_cast<uint16_t>(vector + 2));
    context_switch(new_wp, new_pc);
    st = static_cast<uint16_t>((st & ~kStMask) | (level ? level - 1 : 0));
    cycles += kInterruptClocks;
    idle_ = false;
    hold_ = true;
    return true;
}

void Cpu::execute(uint16_t opcode) {
    const Instruction& in = decode_.rows[decode_.index[opcode]];
    cycles += in.clocks;
    in.execute(*this, opcode);
    ++instructions;
}

void Cpu::step() {
    event_ = CpuEvent::None;
    if (has_pending_) {
        has_pending_ = false;
        cycles -= kFetchClocks;
        execute(pending_opcode_);
        return;
    }
    take_interrupt();
    hold_ = false;
    if (idle_) {
        event_ = CpuEvent::Idle;
        return;
    }
    instruction_pc = pc;
    execute(fetch());
}

void Cpu::run(uint64_t limit) {
    event_ = CpuEvent::None;
    while (cycles < limit) {
        if (has_pending_) [[unlikely]] {
            has_pending_ = false;
            cycles -= kFetchClocks;
            execute(pending_opcode_);
        } else {
            if (interrupt_) [[unlikely]]
                take_interrupt();
            hold_ = false;
            if (idle_) [[unlikely]] {
                cycles = limit;  // IDLE: the time passes without instructions
                break;
            }
            instruction_pc = pc;
            execute(fetch());
        }
        if (event_ != CpuEvent::None) [[unlikely]]
            break;
    }
}

}  // namespace scree
