// The TMS9900: registers in memory at WP, every instruction with the clocks
// and memory accesses the data manual gives, interrupts at level 1 and below.
#pragma once

#include <cstdint>

#include "machine/cpu/instruction_set.hpp"
#include "machine/cpu/memory_map.hpp"

namespace scree {

// Why run() returned before its cycle limit.
enum class CpuEvent : uint8_t {
    None,
    SelfJump,  // a taken jump or branch to its own address
    Idle,      // IDLE executed; the CPU waits for an interrupt
    Device,    // a device moved its next event (the 9901 timer); plan again
};

class Cpu {
public:
    explicit Cpu(MemoryMap& map);

    // Registers.
    uint16_t pc = 0;
    uint16_t wp = 0;
    uint16_t st = 0;

    // Counters since construction.
    uint64_t cycles = 0;
    uint64_t instructions = 0;
    uint64_t illegal = 0;

    // Address of the instruction last started.
    uint16_t instruction_pc = 0;

    // Loads WP and PC from the reset vector at >0000, mask 0.
    void reset();

    // INTREQ with its level (1 on the 99/4A); taken when level <= mask.
    void set_interrupt(bool active, uint8_t level = 1) {
        interrupt_ = active;
        interrupt_level_ = level;
    }
    bool interrupt_requested() const { return interrupt_; }

    // Runs until cycles reaches limit or an event (see last_event()).
    // While idle, the time runs on to the limit unless an interrupt is taken.
    void run(uint64_t limit);
    // Executes one instruction (or takes a pending interrupt first).
    void step();

    CpuEvent last_event() const { return event_; }
    // X has handed over an instruction that the next step() executes.
    bool executing_x() const { return has_pending_; }
    bool idle() const { return idle_; }

    // Plain memory access as the CPU sees it: counts wait states (a page
    // without them leaves the counter untouched, which keeps the loop fast).
    uint16_t read_word(uint16_t address) {
        address &= 0xFFFE;
        const unsigned page = address >> MemoryMap::kPageShift;
        if (const uint8_t w = map_.wait[page]) cycles += w;
        if (const uint8_t* p = map_.read[page]) [[likely]] {
            const unsigned o = address & 0xFF;
            return static_cast<uint16_t>(p[o] << 8 | p[o + 1]);
        }
        return map_.devices->read_word(address);
    }
    void write_word(uint16_t address, uint16_t value) {
        address &= 0xFFFE;
        const unsigned page = address >> MemoryMap::kPageShift;
        if (const uint8_t w = map_.wait[page]) cycles += w;
        if (uint8_t* p = map_.write[page]) [[likely]] {
            const unsigned o = address & 0xFF;
            p[o] = static_cast<uint8_t>(value >> 8);
            p[o + 1] = static_cast<uint8_t>(value);
            return;
        }
        map_.devices->write_word(address, value);
    }

    uint16_t fetch() {
        const uint16_t w = read_word(pc);
        pc = static_cast<uint16_t>(pc + 2);
        return w;
    }
    uint16_t register_address(unsigned n) const { return static_cast<uint16_t>(wp + 2 * n); }
    uint16_t read_register(unsigned n) { return read_word(register_address(n)); }
    void write_register(unsigned n, uint16_t v) { write_word(register_address(n), v); }

    // Effective address of a general operand (T and S fields); performs the
    // address accesses and adds the address clocks.
    uint16_t operand_address(unsigned t, unsigned reg, bool byte);

    // Context switch: new WP and PC, old WP, PC and ST into R13 to R15.
    void context_switch(uint16_t new_wp, uint16_t new_pc);

    // Handlers' access to the map's CRU side and to run control.
    Devices& devices() { return *map_.devices; }
    void signal(CpuEvent e) { event_ = e; }
    void go_idle() { idle_ = true; event_ = CpuEvent::Idle; }
    // The opcode that X hands to the next step, executed without a fetch.
    void execute_next(uint16_t opcode) {
        pending_opcode_ = opcode;
        has_pending_ = true;
    }
    // Interrupts are not taken before the next instruction has run.
    void hold_interrupts() { hold_ = true; }

private:
    bool take_interrupt();
    void execute(uint16_t opcode);

    MemoryMap& map_;
    DecodeView decode_;
    bool interrupt_ = false;
    uint8_t interrupt_level_ = 1;
    bool idle_ = false;
    bool hold_ = false;
    bool has_pending_ = false;
    uint16_t pending_opcode_ = 0;
    CpuEvent event_ = CpuEvent::None;
};

}  // namespace scree
