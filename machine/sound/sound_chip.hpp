// The console's sound chip (TMS9919) at >8400: three tone generators, a
// noise generator and four attenuators, programmed by bytes.
//
// A byte with bit >80 latches a register and writes its low four bits:
// >80 + 32 * generator + >10 for an attenuator, else the generator's
// frequency (its low four bits) or, for generator 3 (the noise), its
// control. A byte without >80 writes the latched register: the six high
// bits of a tone's 10-bit divider, or the low four bits of an attenuator
// or the noise control.
//
// The counters step at the chip's clock (3.579545 MHz) over 16; a tone's
// output turns over each time its divider N counts out, so it sounds at
// 3579545 / 32 / N Hz (N = 0 counts as 1024). The noise generator shifts a
// 15-bit register once each period of its rate (the clock over 512, 1024
// or 2048, or tone 3's output): white noise feeds back the exclusive OR of
// the register's last two bits, periodic noise its last bit alone, so one
// pulse in 15. Writing the noise control resets the register.
#pragma once

#include <array>
#include <cstdint>

namespace scree {

class SoundChip {
public:
    static constexpr unsigned kClockHz = 3579545;
    static constexpr unsigned kClocksPerStep = 16;
    static constexpr uint8_t kSilent = 15;   // attenuation that turns a generator off
    static constexpr unsigned kNoise = 3;    // the noise generator's number
    static constexpr uint16_t kShiftReset = 0x4000;

    void write(uint8_t byte);
    // One step of every counter.
    void step();

    // The mixed output: each generator at +level or -level of its
    // attenuation, as its output bit is high or low.
    int output() const;

    uint16_t divider(unsigned tone) const { return tones_[tone % 3].divider; }
    uint8_t attenuation(unsigned generator) const { return attenuation_[generator % 4]; }
    uint8_t noise_control() const { return noise_control_; }
    bool white_noise() const { return noise_control_ & 0x04; }
    // The noise generator's output: the register's last bit.
    bool noise_bit() const { return shift_ & 1; }

private:
    struct Counter {
        uint16_t divider = 0;  // N, 10 bits
        uint16_t count = 0;
        bool high = false;
    };
    // Counts one step; true when the output rose.
    static bool count(Counter& c, uint16_t divider);
    void write_noise_control(uint8_t value);
    void shift_noise();

    std::array<Counter, 3> tones_{};
    Counter noise_clock_{};
    std::array<uint8_t, 4> attenuation_{kSilent, kSilent, kSilent, kSilent};
    uint8_t noise_control_ = 0;
    uint16_t shift_ = kShiftReset;
    uint8_t latched_ = 0;  // register 0 to 7: generator * 2 + (1 for its attenuator)
};

// Amplitude of one generator at attenuation 0 to 15 (2 dB a step, 15 off).
int sound_level(uint8_t attenuation);

}  // namespace scree
