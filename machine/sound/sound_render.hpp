// A run's sound: the writes the machine recorded, each at its cycle, played
// through the sound chip and sampled 44,100 times a second of machine time.
#pragma once

#include <cstdint>
#include <span>

#include "machine/sound/sound_chip.hpp"
#include "machine/ti99/machine.hpp"

namespace scree {

constexpr unsigned kSampleRate = 44100;

// Samples in a run of this many CPU clocks.
uint64_t sound_samples(uint64_t cycles);

class SoundRenderer {
public:
    // The chip starts silent, as the console's power-up leaves it.
    SoundRenderer(std::span<const Machine::SoundWrite> writes, uint64_t cycles);

    uint64_t samples() const { return samples_; }
    uint64_t samples_done() const { return sample_; }

    // The next samples, up to out.size() of them; returns how many. Each
    // is the mean of the chip's output over the steps within it.
    size_t render(std::span<int16_t> out);

private:
    int16_t next_sample();

    std::span<const Machine::SoundWrite> writes_;
    size_t next_write_ = 0;
    uint64_t samples_;
    uint64_t sample_ = 0;
    uint64_t step_ = 0;
    SoundChip chip_;
};

}  // namespace scree
