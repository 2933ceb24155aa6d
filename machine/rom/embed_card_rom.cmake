# cmake -DIMAGE=<bin> -DOUT=<cpp> -P embed_card_rom.cmake
# Writes the card ROM fell made as the C++ array behind card_rom.hpp.
file(READ ${IMAGE} hex HEX)
string(LENGTH "${hex}" length)
if(NOT length EQUAL 16384)
  message(FATAL_ERROR "${IMAGE}: ${length} hex digits, 8192 bytes expected")
endif()
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 16 row)
string(REGEX REPLACE "(${row})" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUT}.tmp "// Made by embed_card_rom.cmake from what tarn and fell built; do not edit.
#include \"machine/rom/card_rom.hpp\"

namespace scree {

namespace {
const PeripheralCard::Rom kHostCard = {
    ${bytes}};
}  // namespace

const PeripheralCard::Rom& host_card_rom() { return kHostCard; }

}  // namespace scree
")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
