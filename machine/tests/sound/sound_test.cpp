// The sound chip and its rendering: the latch protocol, tone frequency and
// attenuation, the two kinds of noise, silence, the WAV header and the
// length in machine time.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "machine/sound/sound_render.hpp"
#include "machine/sound/wav.hpp"

namespace {

using scree::Machine;
using scree::SoundChip;

constexpr uint64_t kCpuHz = 3'000'000;

// Every sample of a run of `cycles` with the writes (all at cycle 0 unless
// given).
std::vector<int16_t> render(const std::vector<Machine::SoundWrite>& writes, uint64_t cycles) {
    scree::SoundRenderer r(writes, cycles);
    std::vector<int16_t> out(r.samples());
    EXPECT_EQ(r.render(out), out.size());
    return out;
}

std::vector<Machine::SoundWrite> at_start(std::initializer_list<uint8_t> bytes) {
    std::vector<Machine::SoundWrite> w;
    for (const uint8_t b : bytes) w.push_back({0, b});
    return w;
}

// Sign changes a second: twice the frequency.
double frequency(const std::vector<int16_t>& s) {
    unsigned changes = 0;
    for (size_t i = 1; i < s.size(); ++i) changes += (s[i - 1] < 0) != (s[i] < 0);
    return changes / 2.0 * scree::kSampleRate / static_cast<double>(s.size());
}

int peak(const std::vector<int16_t>& s) {
    int p = 0;
    for (const int16_t v : s) p = std::max(p, std::abs(static_cast<int>(v)));
    return p;
}

TEST(SoundChip, LatchAndDataBytes) {
    SoundChip chip;
    chip.write(0x8E);  // tone 1, low bits >E
    chip.write(0x0F);  // its high six bits: >0FE
    EXPECT_EQ(chip.divider(0), 0x0FE);
    chip.write(0xA5);  // tone 2 low bits: tone 1 keeps its value
    EXPECT_EQ(chip.divider(1), 0x005);
    chip.write(0x3F);  // high bits go to tone 2, the latched one
    EXPECT_EQ(chip.divider(1), 0x3F5);
    EXPECT_EQ(chip.divider(0), 0x0FE);
    chip.write(0xD3);  // attenuator 3
    EXPECT_EQ(chip.attenuation(2), 3);
    chip.write(0x07);  // a data byte to an attenuator sets its four bits
    EXPECT_EQ(chip.attenuation(2), 7);
    chip.write(0xE5);  // noise: white, rate 1
    EXPECT_EQ(chip.noise_control(), 5);
    EXPECT_TRUE(chip.white_noise());
    for (unsigned g = 0; g < 4; ++g) EXPECT_EQ(SoundChip().attenuation(g), SoundChip::kSilent) << "silent at first";
}

// N = >0FE: 3579545 / 32 / 254 = 440.4 Hz; tone 2 at N = 127 an octave up.
TEST(SoundRender, ToneFrequencies) {
    EXPECT_NEAR(frequency(render(at_start({0x8E, 0x0F, 0x90}), kCpuHz)), 440.4, 1.0);
    EXPECT_NEAR(frequency(render(at_start({0xAF, 0x07, 0xB0}), kCpuHz)), 880.8, 1.5);
    // N = 0 counts as 1024: 109.2 Hz.
    EXPECT_NEAR(frequency(render(at_start({0xC0, 0x00, 0xD0}), kCpuHz)), 109.2, 0.5);
}

TEST(SoundRender, AttenuationIsTwoDecibelsAStep) {
    for (const uint8_t att : {0, 1, 2, 5, 10, 14}) {
        const int p = peak(render(at_start({0x8E, 0x0F, static_cast<uint8_t>(0x90 | att)}), kCpuHz / 10));
        EXPECT_EQ(p, scree::sound_level(att)) << "attenuation " << unsigned(att);
        EXPECT_NEAR(20 * std::log10(p / 8191.0), -2.0 * att, 0.01);
    }
    EXPECT_EQ(peak(render(at_start({0x8E, 0x0F, 0x9F}), kCpuHz / 10)), 0) << "15 is off";
}

TEST(SoundRender, SilenceWithoutWritesAndAfterTurningOff) {
    EXPECT_EQ(peak(render({}, kCpuHz)), 0);
    // On for the first half second, then attenuator 1 to 15.
    std::vector<Machine::SoundWrite> w = at_start({0x8E, 0x0F, 0x90});
    w.push_back({kCpuHz / 2, 0x9F});
    const std::vector<int16_t> s = render(w, kCpuHz);
    EXPECT_GT(peak(std::vector<int16_t>(s.begin(), s.begin() + 22000)), 8000);
    EXPECT_EQ(peak(std::vector<int16_t>(s.begin() + 22051, s.end())), 0) << "quiet from sample 22050 on";
}

// Steps until the noise register has shifted `shifts` times (rate 0: a
// shift every 32 steps) and returns its output bits.
std::vector<bool> noise_bits(uint8_t control, unsigned shifts) {
    SoundChip chip;
    chip.write(control);
    std::vector<bool> bits;
    for (unsigned i = 0; i < shifts; ++i) {
        for (unsigned s = 0; s < 32; ++s) chip.step();
        bits.push_back(chip.noise_bit());
    }
    return bits;
}

TEST(SoundChip, PeriodicNoiseIsOnePulseInFifteen) {
    const std::vector<bool> bits = noise_bits(0xE0, 15 * 40);
    unsigned ones = 0;
    for (size_t i = 0; i < bits.size(); ++i) {
        ones += bits[i];
        if (i >= 15) {
            EXPECT_EQ(bits[i], bits[i - 15]) << "shift " << i;
        }
    }
    EXPECT_EQ(ones, 40u);
}

// White noise: the 15-bit register runs through all 32767 states.
TEST(SoundChip, WhiteNoiseRepeatsAfter32767Shifts) {
    const std::vector<bool> bits = noise_bits(0xE4, 2 * 32767);
    unsigned ones = 0, period15 = 0;
    for (size_t i = 0; i < 32767; ++i) {
        ones += bits[i];
        period15 += bits[i] == bits[i + 15];
        ASSERT_EQ(bits[i], bits[i + 32767]) << "shift " << i;
    }
    EXPECT_EQ(ones, 16384u) << "a maximal sequence has one more 1 than 0s";
    EXPECT_NEAR(period15, 32767 / 2, 200) << "no period of 15";
    bool repeats_sooner = true;
    for (size_t i = 0; i < 200 && repeats_sooner; ++i) repeats_sooner = bits[i] == bits[i + 16383];
    EXPECT_FALSE(repeats_sooner);
}

// Rate 3 shifts at tone 3's frequency: periodic noise then pulses 15 times
// slower than tone 3 (N = 100: 1118.6 Hz, so 74.6 pulses a second).
TEST(SoundRender, NoiseRateFromTone3) {
    const std::vector<int16_t> s = render(at_start({0xC4, 0x06, 0xDF, 0xE3, 0xF0}), kCpuHz);
    unsigned rises = 0;
    for (size_t i = 1; i < s.size(); ++i) rises += s[i - 1] < 0 && s[i] >= 0;
    EXPECT_NEAR(rises, 74.6, 1.5);
    // Rate 0 white noise: about as many high as low samples.
    const std::vector<int16_t> white = render(at_start({0xE4, 0xF0}), kCpuHz);
    size_t high = 0;
    for (const int16_t v : white) high += v > 0;
    EXPECT_NEAR(static_cast<double>(high) / white.size(), 0.5, 0.05);
}

TEST(SoundRender, LengthInMachineTime) {
    EXPECT_EQ(scree::sound_samples(kCpuHz), 44100u);
    // 600 frames of 50064 clocks: ten seconds of machine time (10.01 s).
    EXPECT_EQ(scree::sound_samples(600 * scree::kCyclesPerFrame), 441564u);
    EXPECT_EQ(scree::sound_samples(68), 0u);
    EXPECT_EQ(scree::sound_samples(69), 1u);
    // A whole day in machine time does not overflow.
    EXPECT_EQ(scree::sound_samples(86400 * kCpuHz), 86400ull * 44100);
}

TEST(Wav, HeaderFields) {
    const std::string h = scree::wav_header(44100);
    ASSERT_EQ(h.size(), scree::kWavHeaderSize);
    auto u32 = [&](size_t at) {
        return uint32_t(uint8_t(h[at])) | uint32_t(uint8_t(h[at + 1])) << 8 | uint32_t(uint8_t(h[at + 2])) << 16 |
               uint32_t(uint8_t(h[at + 3])) << 24;
    };
    auto u16 = [&](size_t at) { return unsigned(uint8_t(h[at])) | unsigned(uint8_t(h[at + 1])) << 8; };
    EXPECT_EQ(h.substr(0, 4), "RIFF");
    EXPECT_EQ(u32(4), 36u + 88200u);
    EXPECT_EQ(h.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(u32(16), 16u);
    EXPECT_EQ(u16(20), 1u) << "PCM";
    EXPECT_EQ(u16(22), 1u) << "mono";
    EXPECT_EQ(u32(24), 44100u);
    EXPECT_EQ(u32(28), 88200u) << "bytes a second";
    EXPECT_EQ(u16(32), 2u) << "bytes a sample";
    EXPECT_EQ(u16(34), 16u) << "bits";
    EXPECT_EQ(h.substr(36, 4), "data");
    EXPECT_EQ(u32(40), 88200u);
    std::string samples;
    const int16_t s[] = {1, -2, 0x1234};
    scree::append_wav_samples(samples, s);
    EXPECT_EQ(samples, std::string("\x01\x00\xFE\xFF\x34\x12", 6)) << "little-endian";
}

}  // namespace
