// The 103 words of the mnemonic field and their handlers.
#pragma once

#include <span>
#include <string_view>

#include "assembler_state.hpp"

namespace tarn {

std::span<const MnemonicEntry> mnemonic_table();
const MnemonicEntry* find_mnemonic(std::string_view name);
const MnemonicEntry& xop_row();

// Instruction handlers.
void encode_two_operand(AssemblerState& st);
void encode_jump(AssemblerState& st);
void encode_register_dest(AssemblerState& st);
void encode_format9(AssemblerState& st);
void encode_cru_transfer(AssemblerState& st);
void encode_shift(AssemblerState& st);
void encode_single_operand(AssemblerState& st);
void encode_no_operand(AssemblerState& st);
void encode_pseudo(AssemblerState& st);
void encode_register_immediate(AssemblerState& st);
void encode_immediate_only(AssemblerState& st);
void encode_register_only(AssemblerState& st);
void encode_user_xop(AssemblerState& st, const Symbol& symbol);

// Directive handlers.
void directive_aorg(AssemblerState& st);
void directive_rorg(AssemblerState& st);
void directive_dorg(AssemblerState& st);
void directive_pseg(AssemblerState& st);
void directive_pend(AssemblerState& st);
void directive_cseg(AssemblerState& st);
void directive_cend(AssemblerState& st);
void directive_dseg(AssemblerState& st);
void directive_dend(AssemblerState& st);
void directive_bss(AssemblerState& st);
void directive_bes(AssemblerState& st);
void directive_even(AssemblerState& st);
void directive_unl(AssemblerState& st);
void directive_list(AssemblerState& st);
void directive_page(AssemblerState& st);
void directive_titl(AssemblerState& st);
void directive_idt(AssemblerState& st);
void directive_equ(AssemblerState& st);
void directive_byte(AssemblerState& st);
void directive_data(AssemblerState& st);
void directive_text(AssemblerState& st);
void directive_def(AssemblerState& st);
void directive_ref(AssemblerState& st);
void directive_copy(AssemblerState& st);
void directive_dxop(AssemblerState& st);
void directive_end(AssemblerState& st);

}  // namespace tarn
