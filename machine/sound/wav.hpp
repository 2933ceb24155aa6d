// WAV files of 16-bit mono PCM at 44,100 samples a second.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace scree {

constexpr size_t kWavHeaderSize = 44;
// The RIFF sizes are 32 bits: the most samples a file can hold.
constexpr uint64_t kMaxWavSamples = (0xFFFFFFFFu - (kWavHeaderSize - 8)) / 2;

// The header of a file of `samples` samples (at most kMaxWavSamples).
std::string wav_header(uint64_t samples);

// Appends the samples as little-endian 16-bit words.
void append_wav_samples(std::string& out, std::span<const int16_t> samples);

}  // namespace scree
