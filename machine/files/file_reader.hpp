// How the loaders get at files: whole, by name, up to a size that no
// program or object file comes near.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace scree {

inline constexpr size_t kMaxInputFile = 4u << 20;

enum class ReadResult : uint8_t { Ok, Missing, Folder, TooLarge, Failed };

using FileReader = std::function<ReadResult(const std::string& name, std::string& data)>;

// Files through the platform layer: Windows-style names, and names that
// match an entry of their folder ignoring case.
FileReader platform_file_reader();

// A file through the platform layer, as platform_file_reader reads it, up
// to limit bytes (TooLarge beyond).
ReadResult read_file_up_to(const std::string& name, size_t limit, std::string& data);

// "does not exist", "is a folder" ...
std::string read_failure(ReadResult result);

}  // namespace scree
