# cmake -DCONSOLE=<bin> -DUTILITIES=<bin> -DOUT=<cpp> -P embed_rom.cmake
# Writes the two images fell made as C++ arrays behind rom.hpp.
function(hex_array file name out_var)
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" length)
  if(NOT length EQUAL 16384)
    message(FATAL_ERROR "${file}: ${length} hex digits, 8192 bytes expected")
  endif()
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REPEAT "0x..," 16 row)
  string(REGEX REPLACE "(${row})" "\\1\n    " bytes "${bytes}")
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
