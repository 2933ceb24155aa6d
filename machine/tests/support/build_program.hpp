// Test programs built the way a user builds them: tarn assembles, fell links.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "testkit/testkit.hpp"

namespace scree_test {

struct ToolRun {
    int code = 0;
    std::string console;
};

// tarn -I<name>.a99 -R (plus extra arguments) in dir; writes the source first.
ToolRun assemble(const std::filesystem::path& dir, std::string_view name, std::string_view source,
                 const std::vector<std::string>& extra = {});

// fell -L<name>.lnk in dir with the given linker file text.
ToolRun link(const std::filesystem::path& dir, std::string_view name, std::string_view commands);

// Assembles an AORG source and returns the bytes from first up to last
// (exclusive) as fell writes them without header (.H-).
std::string assemble_image(const std::filesystem::path& dir, std::string_view source, uint16_t first, uint16_t last);

}  // namespace scree_test
