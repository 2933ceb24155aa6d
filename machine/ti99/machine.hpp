// The TI-99/4A as a program sees it: the CPU, console ROM and scratchpad,
// the 32K memory expansion, the VDP, the TMS9901 with the keyboard, the
// sound port, and the machine time in frames.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "machine/cpu/cpu.hpp"
#include "machine/cpu/memory_map.hpp"
#include "machine/ti99/cartridge.hpp"
#include "machine/ti99/grom.hpp"
#include "machine/ti99/keyboard.hpp"
#include "machine/ti99/peripheral_card.hpp"
#include "machine/ti99/tms9901.hpp"
#include "machine/ti99/typist.hpp"
#include "machine/ti99/vdp.hpp"

namespace scree {

// CPU clocks of one VDP frame: 3 MHz over 59.94 frames a second.
constexpr uint64_t kCyclesPerFrame = 50064;

// What a read gives where nothing answers (empty space, write-only ports,
// absent speech, cards and cartridge): the 8-bit bus is not driven, and we
// take it as all bits low.
constexpr uint8_t kOpenBus = 0x00;

// Our console writes a word here (into its own ROM, which takes no writes)
// each time GPLLNK or XMLLNK returns the error condition; --stats counts them.
constexpr uint16_t kLinkErrorPort = 0x1FFE;

enum class StopReason : uint8_t {
    Frames,    // the frames ran out
    SelfJump,  // the program sits in a jump to itself
    Dead,      // the CPU cannot go on (IDLE with no interrupt to wake it)
};

class Machine : private Devices {
public:
    Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    Cpu& cpu() { return cpu_; }
    Vdp& vdp() { return vdp_; }
    Keyboard& keyboard() { return keyboard_; }
    Tms9901& tms9901() { return tms9901_; }
    Grom& grom() { return grom_; }
    // Types on the keyboard; advanced at the end of every frame.
    Typist& typist() { return typist_; }

    // Memory without cycles or device side effects (loaders, dumps, traces).
    uint8_t peek(uint16_t address) const;
    void poke(uint16_t address, uint8_t value);
    uint16_t peek_word(uint16_t address) const;
    void poke_word(uint16_t address, uint16_t value);
    // True where RAM or ROM answers (not devices, not empty space).
    bool is_memory(uint16_t address) const;

    // Replaces the console ROM (>0000->1FFF).
    void load_rom(std::span<const uint8_t> image);
    // Puts a cartridge into the slot at >6000 with its bank 0 selected.
    void insert_cartridge(Cartridge cartridge);
    const std::optional<Cartridge>& cartridge() const { return cartridge_; }
    // Puts a card in the slot of CRU base >1000 to >1F00; the machine does
    // not own it.
    void plug_card(uint16_t cru_base, PeripheralCard& card);

    // Runs until frame `last_frame` has ended, or, with stop_at_self_jump,
    // until the program sits in a jump to itself.
    StopReason run(uint64_t last_frame, bool stop_at_self_jump);
    // One instruction at a time, for tracing: the same as run() otherwise.
    template <class AfterInstruction>
    StopReason run_stepping(uint64_t last_frame, bool stop_at_self_jump, AfterInstruction after);

    uint64_t frames() const { return frames_; }
    // GPLLNK and XMLLNK calls that returned the error condition.
    uint64_t link_errors() const { return link_errors_; }
    // Cycles, instructions, illegal opcodes, frames, link errors and sound
    // writes start again from 0; the next frame ends a whole frame from now.
    void reset_counters();

    // Sound chip writes in order, with the cycle of each.
    struct SoundWrite {
        uint64_t cycle;
        uint8_t value;
    };
    const std::vector<SoundWrite>& sound_writes() const { return sound_writes_; }

private:
    uint16_t read_word(uint16_t address) override;
    void write_word(uint16_t address, uint16_t value) override;
    bool cru_read(uint16_t bit) override;
    void cru_write(uint16_t bit, bool value) override;

    void map_pages();
    void select_bank(unsigned bank);
    void card_cru_write(uint16_t bit, bool value);
    void map_card_rom();
    void end_frame();
    void update_interrupt();
    bool can_wake() const;
    // The cycle at which run() must stop next: the end of the frame or an
    // enabled timer interrupt.
    uint64_t next_stop() const;

    MemoryMap map_;
    Cpu cpu_;
    Vdp vdp_;
    Keyboard keyboard_;
    Tms9901 tms9901_;
    Grom grom_;
    Typist typist_;
    std::array<uint8_t, 0x2000> rom_{};
    std::array<uint8_t, 0x100> scratchpad_{};
    std::array<uint8_t, 0x8000> expansion_{};  // >2000->3FFF, then >A000->FFFF
    std::array<uint8_t, 0x100> rom_sink_{};     // writes to ROM go here
    std::optional<Cartridge> cartridge_;
    uint64_t frames_ = 0;
    uint64_t link_errors_ = 0;
    uint64_t next_frame_cycle_ = kCyclesPerFrame;
    std::vector<SoundWrite> sound_writes_;
    std::array<PeripheralCard*, 16> cards_{};  // by CRU base >1000, >1100 ...
    uint16_t cards_on_ = 0;                     // bit n: card n's ROM selected
    PeripheralCard* card_on_ = nullptr;         // the one at >4000
};

template <class AfterInstruction>
StopReason Machine::run_stepping(uint64_t last_frame, bool stop_at_self_jump, AfterInstruction after) {
    typist_.advance(frames_);
    while (frames_ < last_frame) {
        const uint64_t stop = next_stop();
        while (cpu_.cycles < stop) {
            cpu_.step();
            if (cpu_.last_event() == CpuEvent::Idle) {
                if (!can_wake()) return StopReason::Dead;
                cpu_.cycles = stop;
                break;
            }
            after();
            if (stop_at_self_jump && cpu_.last_event() == CpuEvent::SelfJump) return StopReason::SelfJump;
            if (cpu_.last_event() == CpuEvent::Device) break;
        }
        if (cpu_.cycles >= next_frame_cycle_)
            end_frame();
        else
            update_interrupt();
    }
    return StopReason::Frames;
}

}  // namespace scree
