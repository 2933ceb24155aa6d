// Cuts a statement into label, mnemonic, operand and comment fields. The
// scanner works on st.work_line from st.scan_pos; fields are views into it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assembler_state.hpp"
#include "char_classes.hpp"

namespace tarn {

using Field = std::optional<std::string_view>;

void scan_start(AssemblerState& st);  // work_line := source_line, fields cleared
Field scan_label(AssemblerState& st);
Field scan_mnemonic(AssemblerState& st);
Field scan_operand(AssemblerState& st);      // "*" starts a comment
Field scan_operand_any(AssemblerState& st);  // "*" may start the operand
Field scan_quoted_operand(AssemblerState& st, char quote);
void scan_comment(AssemblerState& st);

// Copies the quoted text at the start of text into out (two quotes give
// one): 0, 7 when more than size - 1 characters arrive (out keeps size - 1),
// 5 when the text is absent, has no opening quote or no closing quote.
int parse_quoted(const Field& text, char quote, size_t size, std::string& out);

// Splits a BYTE or DATA list at commas outside character constants.
void split_items(std::string_view text, std::vector<std::string_view>& items);

}  // namespace tarn
