// Loading of tagged object files (.L and .N), in text or compressed form.
#pragma once

#include <string>
#include <string_view>

namespace fell {

struct LinkState;

// Loads the object file of that (resolved) name at the current origin.
void load_object_file(LinkState& s, const std::string& file_name);

// The commands .L and .N with their argument text.
void load_command(LinkState& s, std::string_view args);
void names_command(LinkState& s, std::string_view args);

}  // namespace fell
