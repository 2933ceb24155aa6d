#include "conditional.hpp"

#include "errors.hpp"
#include "expression.hpp"
#include "platform/paths.hpp"
#include "scanner.hpp"
#include "symbol_table.hpp"

namespace tarn {
namespace {

bool enclosing_inactive(const AssemblerState& st) {
    return st.condition_depth >= 1 && !st.conditions[static_cast<size_t>(st.condition_depth - 1)].active;
}

ConditionLevel& top(AssemblerState& st) { return st.conditions[static_cast<size_t>(st.condition_depth)]; }

}  // namespace

void cond_reset(AssemblerState& st) { st.condition_depth = -1; }

bool cond_active(const AssemblerState& st) {
    return st.condition_depth < 0 || st.conditions[static_cast<size_t>(st.condition_depth)].active;
}

bool cond_balanced(const AssemblerState& st) { return st.condition_depth < 0; }

void cond_directive(AssemblerState& st) {
    Field word = scan_mnemonic(st);
    Field operand = scan_operand(st);
    scan_comment(st);
    std::string_view w = word.value_or("");
    using platform::equals_ignore_case;
    const bool is_if = equals_ignore_case(w, "#if");
    const bool is_ifdef = equals_ignore_case(w, "#ifdef");
    const bool is_ifndef = equals_ignore_case(w, "#ifndef");
    if (is_if || is_ifdef || is_ifndef) {
        if (st.condition_depth >= kMaxConditionDepth - 1) {
            record_error(st, kNestingTooDeep);
            return;
        }
        ++st.condition_depth;
        ConditionLevel& level = top(st);
        level.else_seen = false;
        if (is_if) {
            OperandValue v;
            eval_expression(st, operand.value_or(""), v);
            level.active = v.value != 0;
        } else {
            bool found = operand && sym_find(st, *operand) != nullptr;
            level.active = is_ifdef ? found : !found;
        }
        if (enclosing_inactive(st)) level.active = false;
    } else if (equals_ignore_case(w, "#else")) {
        if (st.condition_depth < 0) {
            record_error(st, kElseWithoutIf);
        } else if (top(st).else_seen) {
            record_error(st, kMultipleElse);
        } else {
            ConditionLevel& level = top(st);
            level.else_seen = true;
            level.active = !level.active;
            if (enclosing_inactive(st)) level.active = false;
        }
    } else if (equals_ignore_case(w, "#endif")) {
        if (st.condition_depth < 0)
            record_error(st, kEndifWithoutIf);
        else
            --st.condition_depth;
    } else {
        record_error(st, kInvalidDirective);
    }
}

}  // namespace tarn
