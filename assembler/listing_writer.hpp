// The paged list file, and the error lines shared with the console.
#pragma once

#include <optional>
#include <string_view>

#include "assembler_state.hpp"

namespace tarn {

inline constexpr int kNone = -1;  // a blank column in a statement line

bool lst_page_check(AssemblerState& st, bool with_title);
void lst_word_line(AssemblerState& st, int line_number, int location, int word);
void lst_operand_line(AssemblerState& st, int line_number, int location, const std::optional<OperandValue>& v);
void lst_byte_line(AssemblerState& st, int line_number, int location, int byte);
void lst_more_operand(AssemblerState& st, int location, const OperandValue& v);
void lst_more_byte(AssemblerState& st, int location, int byte);
void lst_text_line(AssemblerState& st, int line_number, std::string_view text);
void lst_condition_line(AssemblerState& st, int line_number, bool truth);
void lst_error(AssemblerState& st, int code, int line_number);
void lst_pending_errors(AssemblerState& st);
void lst_undefined_symbols(AssemblerState& st);
void lst_symbol_table(AssemblerState& st);
void lst_error_total(AssemblerState& st, int count);
void lst_segment_table(AssemblerState& st);

}  // namespace tarn
