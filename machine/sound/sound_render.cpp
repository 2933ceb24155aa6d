#include "machine/sound/sound_render.hpp"

namespace scree {

namespace {

constexpr uint64_t kCpuHz = 3'000'000;
constexpr uint64_t kStepsPerSecond = SoundChip::kClockHz;  // in 16ths of a step
constexpr uint64_t kStepDenominator = SoundChip::kClocksPerStep;

// The chip's step at a CPU cycle: cycle * 3579545 / 48000000, reduced by
// their common factor 5 and split so that the product cannot overflow.
uint64_t step_at_cycle(uint64_t cycle) {
    constexpr uint64_t num = kStepsPerSecond / 5, den = kCpuHz * kStepDenominator / 5;
    return cycle / den * num + cycle % den * num / den;
}

// The chip's step at the start of a sample: sample * 3579545 / 705600.
uint64_t step_at_sample(uint64_t sample) {
    constexpr uint64_t num = kStepsPerSecond, den = kSampleRate * kStepDenominator;
    return sample / den * num + sample % den * num / den;
}

}  // namespace

uint64_t sound_samples(uint64_t cycles) { return cycles / kCpuHz * kSampleRate + cycles % kCpuHz * kSampleRate / kCpuHz; }

SoundRenderer::SoundRenderer(std::span<const Machine::SoundWrite> writes, uint64_t cycles)
    : writes_(writes), samples_(sound_samples(cycles)) {}

int16_t SoundRenderer::next_sample() {
    const uint64_t end = step_at_sample(++sample_);
    int64_t sum = 0;
    uint64_t steps = 0;
    for (; step_ < end; ++step_, ++steps) {
        while (next_write_ < writes_.size() && step_at_cycle(writes_[next_write_].cycle) <= step_)
            chip_.write(writes_[next_write_++].value);
        chip_.step();
        sum += chip_.output();
    }
    return static_cast<int16_t>(steps ? sum / static_cast<int64_t>(steps) : chip_.output());
}

size_t SoundRenderer::render(std::span<int16_t> out) {
    size_t n = 0;
    while (n < out.size() && sample_ < samples_) out[n++] = next_sample();
    return n;
}

}  // namespace scree
