#include "machine/run/sound_output.hpp"

#include <vector>

#include "machine/sound/sound_render.hpp"
#include "machine/sound/wav.hpp"
#include "platform/files.hpp"
#include "platform/text_file.hpp"

namespace scree {

namespace {

constexpr size_t kBlock = 1 << 16;  // samples rendered and written at a time

}  // namespace

// Written in blocks to a file beside the target, which replaces the target
// only when complete: a long run's sound never lies in memory whole.
bool write_wav(std::span<const Machine::SoundWrite> writes, uint64_t cycles, const std::string& path,
               std::string& error) {
    SoundRenderer sound(writes, cycles);
    if (sound.samples() > kMaxWavSamples) {
        error = "--wav " + path + ": the run's sound is longer than a WAV file holds (13 hours and a half)";
        return false;
    }
    const std::string part = path + ".part";
    platform::OutFile file;
    bool ok = file.open(part, platform::OutFile::Mode::Binary);
    if (ok) {
        file.write(wav_header(sound.samples()));
        std::vector<int16_t> block(kBlock);
        std::string bytes;
        while (size_t n = sound.render(block)) {
            bytes.clear();
            append_wav_samples(bytes, std::span(block).first(n));
            file.write(bytes);
        }
        ok = file.close() && platform::rename_file(part, path);
        if (!ok) platform::remove_file(part);
    }
    if (!ok) error = "--wav " + path + ": the file cannot be written";
    return ok;
}

}  // namespace scree
