// Left-to-right expression evaluation with relocation and REF tracking.
#pragma once

#include <string_view>

#include "assembler_state.hpp"

namespace tarn {

// 0, SYNTAX ERROR, INVALID REF or OUT OF RANGE; result is always filled in.
int eval_expression(AssemblerState& st, std::string_view text, OperandValue& result);

struct GeneralOperand {
    int mode = 0;  // 0 register, 1 indirect, 2 symbolic or indexed, 3 auto-increment
    OperandValue reg{0, 0, false, false};
    OperandValue addr{0, 0, false, false};
    Symbol* external = nullptr;  // REF name used by the operand's last evaluation
};

// Splits a general TMS9900 operand; returns the code of the last evaluation.
int parse_general_operand(AssemblerState& st, std::string_view text, GeneralOperand& op);

}  // namespace tarn
