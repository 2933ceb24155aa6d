// Our peripheral card's ROM, assembled by tarn and linked by fell during
// the build (hostcard.a99): the header, device names and DSR entries.
#pragma once

#include "machine/ti99/peripheral_card.hpp"

namespace scree {

// >4000->5FFF.
const PeripheralCard::Rom& host_card_rom();

}  // namespace scree
