# cmake -DCONSOLE=<bin> -DUTILITIES=<bin> -DOUT=<cpp> -P embed_rom.cmake
# Writes the two images fell made as C++ arrays behind rom.hpp.
include(${CMAKE_CURRENT_LIST_DIR}/hex_bytes.cmake)
function(hex_array file name out_var)
  hex_bytes(${file} bytes)
  set(${out_var} "const std::array<uint8_t, 8192> ${name} = {\n    ${bytes}};\n" PARENT_SCOPE)
endfunction()

hex_array(${CONSOLE} kConsole console)
hex_array(${UTILITIES} kUtilities utilities)
file(WRITE ${OUT}.tmp "// Made by embed_rom.cmake from what tarn and fell built; do not edit.
#include <array>

#include \"machine/rom/rom.hpp\"

namespace scree {

namespace {
${console}
${utilities}
}  // namespace

std::span<const uint8_t> console_rom() { return kConsole; }
std::span<const uint8_t> utilities_image() { return kUtilities; }

}  // namespace scree
")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
