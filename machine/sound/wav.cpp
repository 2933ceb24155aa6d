#include "machine/sound/wav.hpp"

#include "machine/sound/sound_render.hpp"

namespace scree {

namespace {

constexpr unsigned kChannels = 1;
constexpr unsigned kBytesPerSample = 2;

void put16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

std::string wav_header(uint64_t samples) {
    const uint32_t data = static_cast<uint32_t>(samples * kBytesPerSample);
    std::string h;
    h += "RIFF";
    put32(h, static_cast<uint32_t>(kWavHeaderSize - 8) + data);
    h += "WAVEfmt ";
    put32(h, 16);  // the format chunk's size
    put16(h, 1);   // PCM
    put16(h, kChannels);
    put32(h, kSampleRate);
    put32(h, kSampleRate * kChannels * kBytesPerSample);  // bytes a second
    put16(h, kChannels * kBytesPerSample);                // bytes a frame
    put16(h, 8 * kBytesPerSample);                        // bits a sample
    h += "data";
    put32(h, data);
    return h;
}

void append_wav_samples(std::string& out, std::span<const int16_t> samples) {
    for (const int16_t s : samples) put16(out, static_cast<uint16_t>(s));
}

}  // namespace scree
