// Texts of the language module.
#pragma once

#include <string>
#include <string_view>

#include "engine.hpp"

namespace dok {

// Key "number" of section in the language module, or "Message <number>",
// cleaned: one leading quote skipped, cut at the next quote or line feed,
// "\n", "\r", "\t" turned into their characters, any other backslash pair
// dropped; at most size - 1 characters.
std::string message_text(const Dok& dok, std::string_view section, int number, size_t size = 256);

// The cleaning rules on their own.
std::string clean_message(std::string_view raw, size_t size);

// The module file to read: the configured path when it is a readable file,
// else the data file of the same name (beside the executable or installed,
// platform::find_data_file), else the configured path (which then gives the
// defaults).
std::string language_file(const Dok& dok);

}  // namespace dok
