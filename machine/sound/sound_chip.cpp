#include "machine/sound/sound_chip.hpp"

namespace scree {

namespace {

constexpr unsigned kTones = 3;
constexpr uint16_t kZeroDivider = 1024;
constexpr unsigned kNoiseFromTone3 = 3;

// 8191 (a quarter of the 16-bit range) times 10 to the -attenuation/10.
constexpr int kLevels[16] = {8191, 6506, 5168, 4105, 3261, 2590, 2057, 1634,
                             1298, 1031, 819,  651,  517,  411,  326,  0};

bool is_attenuator(unsigned reg) { return reg & 1; }

}  // namespace

int sound_level(uint8_t attenuation) { return kLevels[attenuation & 0x0F]; }

bool SoundChip::count(Counter& c, uint16_t divider) {
    if (c.count > 1) {
        --c.count;
        return false;
    }
    c.count = divider ? divider : kZeroDivider;
    c.high = !c.high;
    return c.high;
}

void SoundChip::write(uint8_t byte) {
    if (byte & 0x80) latched_ = (byte >> 4) & 7;
    const unsigned generator = latched_ >> 1;
    if (is_attenuator(latched_)) {
        attenuation_[generator] = byte & 0x0F;
    } else if (generator == kNoise) {
        write_noise_control(byte & 0x07);
    } else {
        uint16_t& n = tones_[generator].divider;
        n = (byte & 0x80) ? static_cast<uint16_t>((n & 0x3F0) | (byte & 0x0F))
                          : static_cast<uint16_t>((n & 0x00F) | ((byte & 0x3F) << 4));
    }
}

void SoundChip::write_noise_control(uint8_t value) {
    noise_control_ = value;
    shift_ = kShiftReset;
}

// Shifts toward bit 0 (the output); the feedback enters at bit 14.
void SoundChip::shift_noise() {
    const unsigned feedback = white_noise() ? (shift_ ^ (shift_ >> 1)) & 1 : shift_ & 1;
    shift_ = static_cast<uint16_t>((shift_ >> 1) | (feedback << 14));
}

void SoundChip::step() {
    bool tone3_rose = false;
    for (unsigned i = 0; i < kTones; ++i) {
        const bool rose = count(tones_[i], tones_[i].divider);
        if (i == kTones - 1) tone3_rose = rose;
    }
    const unsigned rate = noise_control_ & 3;
    const bool shift = rate == kNoiseFromTone3 ? tone3_rose : count(noise_clock_, static_cast<uint16_t>(16u << rate));
    if (shift) shift_noise();
}

int SoundChip::output() const {
    int sum = 0;
    for (unsigned i = 0; i < kTones; ++i) {
        const int level = kLevels[attenuation_[i]];
        sum += tones_[i].high ? level : -level;
    }
    const int noise = kLevels[attenuation_[kNoise]];
    return sum + (noise_bit() ? noise : -noise);
}

}  // namespace scree
