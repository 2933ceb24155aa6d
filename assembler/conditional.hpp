// #if, #ifdef, #ifndef, #else and #endif, nested ten deep.
#pragma once

#include "assembler_state.hpp"

namespace tarn {

void cond_reset(AssemblerState& st);
bool cond_active(const AssemblerState& st);
bool cond_balanced(const AssemblerState& st);
void cond_directive(AssemblerState& st);  // the statement in st.work_line

}  // namespace tarn
