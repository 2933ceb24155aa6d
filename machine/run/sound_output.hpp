// --wav: the run's sound as a WAV file.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "machine/ti99/machine.hpp"

namespace scree {

// Plays the sound writes a run recorded, from its start to its last cycle,
// into path. False with the reason when the sound is longer
// than a WAV file holds or the file cannot be written; the file is then
// left as it was.
bool write_wav(std::span<const Machine::SoundWrite> writes, uint64_t cycles, const std::string& path,
               std::string& error);

}  // namespace scree
