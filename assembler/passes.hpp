// The two passes over the source and the helpers the handlers share.
#pragma once

#include "assembler_state.hpp"

namespace tarn {

void reset_segments(AssemblerState& st);
void run_pass(AssemblerState& st, int pass);

void segment_leave(AssemblerState& st);
void align_even(AssemblerState& st, Symbol* symbol);
void label_external_check(AssemblerState& st);
void advance(AssemblerState& st, int bytes);  // location counter, 16 bits

// The word for a reference to the REF name ref at the location counter: the
// previous head of its chain (external); ref then heads the chain here.
OperandValue link_reference(AssemblerState& st, Symbol& ref);

}  // namespace tarn
