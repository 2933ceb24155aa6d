// --disassemble: the loaded code as tarn source that assembles (with -R)
// back to the same words: one AORG block for each run of loaded bytes.
#pragma once

#include <optional>
#include <string>

#include "machine/files/load_image.hpp"

namespace scree {

std::string disassembly_listing(const LoadImage& image, std::optional<uint16_t> entry);

}  // namespace scree
