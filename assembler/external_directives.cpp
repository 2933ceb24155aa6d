// DEF, REF, DXOP and END.
#include <string>
#include <vector>

#include "errors.hpp"
#include "expression.hpp"
#include "listing_writer.hpp"
#include "mnemonic_table.hpp"
#include "passes.hpp"
#include "scanner.hpp"
#include "symbol_table.hpp"

namespace tarn {
namespace {

void number_name(AssemblerState& st, Symbol& s) { s.ref_number = ++st.ref_count; }

// Calls fn with each name of a DEF or REF list, checked and cut.
template <typename Fn>
void for_each_name(AssemblerState& st, std::string_view list, Fn fn) {
    size_t start = 0;
    for (;;) {
        size_t comma = list.find(',', start);
        std::string name(list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        record_error(st, check_symbol_name(name));
        fn(name);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
}

Field external_list(AssemblerState& st) {
    Field operand = scan_operand(st);
    scan_comment(st);
    if (st.pass == 2) lst_word_line(st, st.line_number, kNone, kNone);
    if (!operand) record_error(st, kSyntaxError);
    return operand;
}

}  // namespace

void directive_def(AssemblerState& st) {
    Field operand = external_list(st);
    if (!operand) return;
    for_each_name(st, *operand, [&](const std::string& name) {
        if (st.pass != 1) return;
        if (Symbol* s = sym_find(st, name)) {
            if (s->has(kRefName)) {
                record_error(st, kMultipleSymbols);
            } else {
                s->flags |= kDefName;
                number_name(st, *s);
            }
        } else if (Symbol* added = sym_add(st, name)) {
            added->flags |= kDefName;
            number_name(st, *added);
        }
    });
}

void directive_ref(AssemblerState& st) {
    Field operand = external_list(st);
    if (!operand) return;
    for_each_name(st, *operand, [&](const std::string& name) {
        if (st.pass != 1) return;
        if (Symbol* s = sym_find(st, name)) {
            if (!s->has(kRefName)) {
                record_error(st, kInvalidRef);
                s->flags &= static_cast<uint8_t>(~(kDefined | kDefName | kRefName | kDxopName));
            }
        } else if (Symbol* added = sym_add(st, name)) {
            added->flags &= static_cast<uint8_t>(~kRelocatable);
            added->flags |= kRefName;
            number_name(st, *added);
        }
    });
}

void directive_dxop(AssemblerState& st) {
    Field operand = scan_operand(st);
    scan_comment(st);
    auto list_line = [&] {
        if (st.pass == 2) lst_word_line(st, st.line_number, kNone, kNone);
    };
    if (!operand) {
        record_error(st, kSyntaxError);
        list_line();
        return;
    }
    size_t comma = operand->find(',');
    std::string name(operand->substr(0, comma));
    unsigned number = 0;
    if (comma == std::string_view::npos) {
        record_error(st, kSyntaxError);
    } else {
        OperandValue v;
        eval_expression(st, operand->substr(comma + 1), v);
        number = v.value;
        if (number > 15) {
            record_error(st, kInvalidRegister);
            number = 0;
        }
    }
    int check = check_symbol_name(name);
    record_error(st, check);
    if (check == kSyntaxError) {
        list_line();
        return;
    }
    Symbol* s = sym_find(st, name);
    if (st.pass == 1) {
        if (s)
            record_error(st, kMultipleSymbols);
        else if (Symbol* added = sym_add(st, name))
            added->flags |= kDxopName;
    } else if (s) {
        if (s->has(kDxopName) && !s->has(kDefined)) {
            s->value = static_cast<uint16_t>(number);
            s->flags |= kDefined;
        } else {
            record_error(st, kMultipleSymbols);
        }
    }
    list_line();
}

void directive_end(AssemblerState& st) {
    Field operand = scan_operand(st);
    scan_comment(st);
    if (operand) {
        Symbol* s = sym_find(st, *operand);
        if (!s)
            record_error(st, kSyntaxError);
        else if (s->has(kRefName) || s->has(kDxopName))
            record_error(st, kInvalidRef);
        else if (!s->has(kDefined))
            record_error(st, kUndefinedSymbol);
        else
            st.entry_symbol = s;
    }
    if (st.pass == 2) lst_word_line(st, st.line_number, kNone, kNone);
    segment_leave(st);
    st.end_seen = true;
}

}  // namespace tarn
