# cmake -DIMAGE=<bin> -DOUT=<cpp> -P embed_card_rom.cmake
# Writes the card ROM fell made as the C++ array behind card_rom.hpp.
include(${CMAKE_CURRENT_LIST_DIR}/hex_bytes.cmake)
hex_bytes(${IMAGE} bytes)
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
