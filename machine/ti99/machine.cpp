#include "machine/ti99/machine.hpp"

#include <algorithm>

namespace scree {

namespace {

constexpr uint8_t kWaitStates = 4;  // every access through the 8-bit bus

// Page ranges (page = address >> 8).
constexpr unsigned kRomPages = 0x20;          // >0000->1FFF
constexpr unsigned kLowPages = 0x20;          // >2000->3FFF
constexpr unsigned kHighFirst = 0xA0;         // >A000->FFFF
constexpr unsigned kScratchFirst = 0x80;      // >8000->83FF, one 256-byte RAM
constexpr unsigned kCartFirst = 0x60;         // >6000->7FFF
constexpr unsigned kCartPages = 0x20;
constexpr uint16_t kCardCruFirstBit = 0x800;  // CRU address >1000
constexpr unsigned kCardCruBits = 0x80;       // each card's >100 CRU addresses
constexpr unsigned kCardFirstPage = 0x40;     // >4000->5FFF
constexpr unsigned kCardPages = 0x20;

}  // namespace

Machine::Machine() : cpu_(map_), tms9901_(keyboard_), typist_(keyboard_) {
    map_.devices = this;
    map_pages();
}

void Machine::map_pages() {
    for (unsigned page = 0; page < MemoryMap::kPages; ++page) {
        map_.read[page] = nullptr;
        map_.write[page] = nullptr;
        map_.wait[page] = kWaitStates;
    }
    for (unsigned page = 0; page < kRomPages; ++page) {
        map_.read[page] = rom_.data() + page * 0x100;
        map_.write[page] = rom_sink_.data();
        map_.wait[page] = 0;
    }
    map_.write[kLinkErrorPort >> 8] = nullptr;
    for (unsigned page = 0; page < kLowPages; ++page) {
        map_.read[0x20 + page] = map_.write[0x20 + page] = expansion_.data() + page * 0x100;
    }
    for (unsigned page = kHighFirst; page < MemoryMap::kPages; ++page) {
        uint8_t* p = expansion_.data() + (kLowPages + page - kHighFirst) * 0x100;
        map_.read[page] = map_.write[page] = p;
    }
    for (unsigned page = kScratchFirst; page < kScratchFirst + 4; ++page) {
        map_.read[page] = map_.write[page] = scratchpad_.data();
        map_.wait[page] = 0;
    }
}

void Machine::load_rom(std::span<const uint8_t> image) {
    rom_.fill(0);
    std::copy_n(image.begin(), std::min(image.size(), rom_.size()), rom_.begin());
}

void Machine::insert_cartridge(Cartridge cartridge) {
    cartridge_ = std::move(cartridge);
    select_bank(0);
}

// The ROM answers reads; writes go to the devices, where they switch banks.
void Machine::select_bank(unsigned bank) {
    const uint8_t* p = cartridge_->bank(bank);
    for (unsigned page = 0; page < kCartPages; ++page) map_.read[kCartFirst + page] = p + page * 0x100;
}

void Machine::plug_card(uint16_t cru_base, PeripheralCard& card) {
    cards_[(cru_base >> 8) & 0xF] = &card;
    map_card_rom();
}

// Bit 0 of a card selects its ROM; its other bits are not modelled.
void Machine::card_cru_write(uint16_t bit, bool value) {
    if (bit % kCardCruBits != 0) return;
    const uint16_t slot = static_cast<uint16_t>(1u << (bit - kCardCruFirstBit) / kCardCruBits);
    cards_on_ = static_cast<uint16_t>(value ? cards_on_ | slot : cards_on_ & ~slot);
    map_card_rom();
}

// The card with the lowest CRU base among those selected answers at >4000.
void Machine::map_card_rom() {
    card_on_ = nullptr;
    for (unsigned slot = 0; slot < cards_.size() && !card_on_; ++slot)
        if (cards_on_ >> slot & 1) card_on_ = cards_[slot];
    for (unsigned page = kCardFirstPage; page < kCardFirstPage + kCardPages; ++page) {
        const bool rom = card_on_ && page != card_on_->port_page();
        map_.read[page] = rom ? card_on_->rom().data() + (page - kCardFirstPage) * 0x100 : nullptr;
        map_.write[page] = rom ? rom_sink_.data() : nullptr;
    }
}

uint8_t Machine::peek(uint16_t address) const {
    const uint8_t* p = map_.read[address >> 8];
    return p ? p[address & 0xFF] : kOpenBus;
}

void Machine::poke(uint16_t address, uint8_t value) {
    if (address < 0x2000) {
        rom_[address] = value;
        return;
    }
    uint8_t* p = map_.write[address >> 8];
    if (p) p[address & 0xFF] = value;
}

uint16_t Machine::peek_word(uint16_t address) const {
    address &= 0xFFFE;
    return static_cast<uint16_t>(peek(address) << 8 | peek(static_cast<uint16_t>(address + 1)));
}

void Machine::poke_word(uint16_t address, uint16_t value) {
    address &= 0xFFFE;
    poke(address, static_cast<uint8_t>(value >> 8));
    poke(static_cast<uint16_t>(address + 1), static_cast<uint8_t>(value));
}

bool Machine::is_memory(uint16_t address) const { return map_.read[address >> 8] != nullptr; }

// The console decodes >8000->9FFF in blocks of 1K, each device looking at
// address bit >0002 alone within its block, so every port repeats every four
// bytes. Reads and writes have separate blocks; a read of a write port (the
// CPU reads before it writes) or of an absent device gets the open bus. The
// devices take the even byte of each word.
uint16_t Machine::read_word(uint16_t address) {
    if ((address & 0xE000) == 0x4000 && card_on_) return card_on_->read_port(address);
    const bool second_port = address & 2;
    uint8_t v = kOpenBus;
    switch (address & 0xFC00) {
        case 0x8800:
            v = second_port ? vdp_.read_status() : vdp_.read_data();
            update_interrupt();
            break;
        case 0x9800: v = second_port ? grom_.read_address() : grom_.read_data(); break;
        default: break;  // sound and VDP write ports, speech, GROM write ports, empty space
    }
    return static_cast<uint16_t>(v << 8 | kOpenBus);
}

void Machine::write_word(uint16_t address, uint16_t value) {
    if ((address & 0xE000) == 0x4000 && card_on_) return card_on_->write_port(address, value);
    const uint8_t high = static_cast<uint8_t>(value >> 8);
    const bool second_port = address & 2;
    if (address == kLinkErrorPort) ++link_errors_;
    if ((address & 0xE000) == kCartridgeAddress && cartridge_) select_bank(cartridge_->bank_for_write(address));
    switch (address & 0xFC00) {
        case 0x8400: sound_writes_.push_back({cpu_.cycles, high}); break;
        case 0x8C00:
            if (second_port)
                vdp_.write_address(high);
            else
                vdp_.write_data(high);
            update_interrupt();
            break;
        case 0x9C00:
            if (second_port)
                grom_.write_address(high);
            else
                grom_.write_data(high);
            break;
        default: break;
    }
}

// The 9901 answers CRU bits 0 to >7FF (addresses below >1000), repeating
// every 32 bits. Above are the cards' bits: with no card, CRUIN is pulled
// high and reads 1.
bool Machine::cru_read(uint16_t bit) {
    if (bit >= kCardCruFirstBit) return true;
    const bool v = tms9901_.read_bit(bit, cpu_.cycles);
    update_interrupt();
    return v;
}

// A write that moves the timer's next interrupt ends the CPU's run early,
// so that run() stops at the new time.
void Machine::cru_write(uint16_t bit, bool value) {
    if (bit >= kCardCruFirstBit) return card_cru_write(bit, value);
    const uint64_t timer_before = tms9901_.next_timer_event(cpu_.cycles);
    tms9901_.write_bit(bit, value, cpu_.cycles);
    if (tms9901_.next_timer_event(cpu_.cycles) != timer_before) cpu_.signal(CpuEvent::Device);
    update_interrupt();
}

void Machine::update_interrupt() {
    tms9901_.set_vdp_interrupt(vdp_.interrupt());
    cpu_.set_interrupt(tms9901_.interrupt_request(cpu_.cycles));
}

void Machine::end_frame() {
    vdp_.end_of_frame();
    ++frames_;
    typist_.advance(frames_);
    next_frame_cycle_ += kCyclesPerFrame;
    update_interrupt();
}

void Machine::reset_counters() {
    tms9901_.shift_time(cpu_.cycles);
    cpu_.cycles = 0;
    cpu_.instructions = 0;
    cpu_.illegal = 0;
    frames_ = 0;
    link_errors_ = 0;
    next_frame_cycle_ = kCyclesPerFrame;
    sound_writes_.clear();
}

uint64_t Machine::next_stop() const {
    return std::min(next_frame_cycle_, tms9901_.next_timer_event(cpu_.cycles));
}

// IDLE ends only with an interrupt the mask lets through: the VDP's next
// frame or the timer.
bool Machine::can_wake() const {
    if ((cpu_.st & 0xF) < 1) return false;
    if (cpu_.interrupt_requested()) return true;
    const bool vdp = (vdp_.reg(1) & 0x20) && tms9901_.vdp_interrupt_enabled();
    return vdp || tms9901_.next_timer_event(cpu_.cycles) != kNoTimerEvent;
}

StopReason Machine::run(uint64_t last_frame, bool stop_at_self_jump) {
    typist_.advance(frames_);
    while (frames_ < last_frame) {
        cpu_.run(next_stop());
        const CpuEvent e = cpu_.last_event();
        if (e == CpuEvent::SelfJump && stop_at_self_jump) return StopReason::SelfJump;
        if (e == CpuEvent::Idle && !can_wake()) return StopReason::Dead;
        if (cpu_.cycles >= next_frame_cycle_)
            end_frame();
        else
            update_interrupt();
    }
    return StopReason::Frames;
}

}  // namespace scree
