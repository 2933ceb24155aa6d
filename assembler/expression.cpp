#include "expression.hpp"

#include "char_classes.hpp"
#include "errors.hpp"
#include "symbol_table.hpp"

namespace tarn {
namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

uint16_t neg(uint16_t v) { return static_cast<uint16_t>(0u - v); }

size_t eval_decimal(std::string_view t, size_t p, OperandValue& term) {
    unsigned v = 0;
    while (p < t.size() && is_digit(t[p])) v = (v * 10 + static_cast<unsigned>(t[p++] - '0')) & 0xFFFF;
    term.value = static_cast<uint16_t>(v);
    return p;
}

size_t eval_hex(AssemblerState& st, std::string_view t, size_t p, OperandValue& term) {
    ++p;
    if (p >= t.size()) {
        record_error(st, kSyntaxError);
        return p;
    }
    unsigned v = 0;
    for (int d; p < t.size() && (d = hex_digit(t[p])) >= 0; ++p) v = (v * 16 + static_cast<unsigned>(d)) & 0xFFFF;
    term.value = static_cast<uint16_t>(v);
    return p;
}

size_t eval_char(AssemblerState& st, std::string_view t, size_t p, OperandValue& term) {
    ++p;
    int v = 0;
    int count = 0;
    bool bad = false;
    while (p < t.size()) {
        char c = t[p];
        if (c == '\'') {
            if (p + 1 >= t.size() || t[p + 1] != '\'') {
                ++p;
                break;
            }
            ++p;  // a doubled quote is one quote character
        }
        ++p;
        if (++count <= 2) {
            v = (v * 256 + static_cast<signed char>(c)) & 0xFFFF;
        } else if (!bad) {
            bad = true;
            record_error(st, kSyntaxError);
        }
    }
    term.value = bad ? 0 : static_cast<uint16_t>(v);
    return p;
}

size_t eval_symbol(AssemblerState& st, std::string_view t, size_t p, OperandValue& term) {
    size_t start = p;
    while (p < t.size() && is_name_char(t[p])) ++p;
    std::string_view name = t.substr(start, p - start);
    if (name.size() > 6) {
        record_error(st, kSymbolTruncation);
        name = name.substr(0, 6);
    }
    Symbol* s = sym_find(st, name);
    if (!s) {
        record_error(st, kUndefinedSymbol);
    } else if (s->has(kDxopName)) {
        record_error(st, kSyntaxError);
    } else if (s->has(kRefName)) {
        term.value = s->value;
        term.segment = s->segment;
        term.relocatable = s->has(kRelocatable);
        term.external = true;
        st.last_external = s;
    } else if (s->has(kDefined)) {
        term.value = s->value;
        term.segment = s->segment;
        term.relocatable = s->has(kRelocatable);
    } else {
        record_error(st, kBadFwdReference);
    }
    return p;
}

bool starts_term(char c) { return c == '>' || c == '$' || c == '\'' || is_digit(c) || is_letter(c); }

// A name or a decimal number alone, the most frequent operands: the term is
// the result. False for anything else.
bool eval_single_term(AssemblerState& st, std::string_view text, OperandValue& result) {
    size_t p = 0;
    while (p < text.size() && is_name_char(text[p])) ++p;
    if (p == 0 || p < text.size()) return false;
    if (is_letter(text[0])) {
        eval_symbol(st, text, 0, result);
        return true;
    }
    if (eval_decimal(text, 0, result) < text.size()) {
        result = OperandValue{};
        return false;
    }
    return true;
}

}  // namespace

int eval_expression(AssemblerState& st, std::string_view text, OperandValue& result) {
    result = OperandValue{};
    st.last_external = nullptr;
    if (eval_single_term(st, text, result)) return 0;
    bool negative = false, unary = false, operator_seen = false;
    char pending = 0;
    int plus_count = 0, minus_count = 0;
    int code = 0;
    size_t p = 0;
    if (p < text.size() && text[p] == '-') {
        negative = unary = true;
        ++p;
    } else if (p < text.size() && text[p] == '+') {
        ++p;
    }
    if (p >= text.size() || !starts_term(text[p])) code = kSyntaxError;

    while (p < text.size() && code == 0) {
        char c = text[p];
        OperandValue term;
        if (is_digit(c)) {
            p = eval_decimal(text, p, term);
        } else if (c == '>') {
            p = eval_hex(st, text, p, term);
        } else if (c == '\'') {
            p = eval_char(st, text, p, term);
        } else if (is_letter(c)) {
            p = eval_symbol(st, text, p, term);
        } else if (c == '$') {
            term.segment = static_cast<uint16_t>(st.current_segment);
            term.value = static_cast<uint16_t>(st.location_counter);
            term.relocatable = st.current_relocatable;
            ++p;
        } else {
            ++p;
            if (c == '+' || c == '*' || c == '/') {
                operator_seen = true;
                if (!pending)
                    pending = c;
                else
                    code = kSyntaxError;
            } else if (c == '-') {
                operator_seen = true;
                if (!pending)
                    pending = '-';
                else if (!unary)
                    unary = true;
                else
                    code = kSyntaxError;
            } else {
                code = kSyntaxError;
            }
            continue;
        }

        // A term was read.
        if (unary) term.value = neg(term.value);
        if (result.segment == kNoSegment && term.segment != kNoSegment) result.segment = term.segment;
        switch (pending) {
            case 0:
                result.value = term.value;
                result.relocatable = term.relocatable;
                if (term.relocatable) ++(unary ? minus_count : plus_count);
                break;
            case '+':
                result.value = static_cast<uint16_t>(result.value + term.value);
                if (term.relocatable) ++(unary ? minus_count : plus_count);
                break;
            case '-':
                result.value = static_cast<uint16_t>(result.value - term.value);
                if (term.relocatable) ++(unary ? plus_count : minus_count);
                break;
            case '*':
                if (result.relocatable || term.relocatable) {
                    code = kSyntaxError;
                } else {
                    result.value = static_cast<uint16_t>(result.value * term.value);
                    if (negative && unary) negative = false;
                }
                break;
            case '/':
                if (result.relocatable || term.relocatable) {
                    code = kSyntaxError;
                } else if (term.value == 0) {
                    record_error(st, kOutOfRange);
                    code = kOutOfRange;
                } else if (negative && !unary) {
                    result.value = neg(static_cast<uint16_t>(neg(result.value) / term.value));
                    negative = true;
                } else if (!negative && unary) {
                    result.value = neg(static_cast<uint16_t>(result.value / neg(term.value)));
                    negative = true;
                } else if (negative && unary) {
                    result.value = static_cast<uint16_t>(neg(result.value) / neg(term.value));
                    negative = false;
                } else {
                    result.value = static_cast<uint16_t>(result.value / term.value);
                    negative = false;
                }
                break;
        }
        int balance = plus_count - minus_count;
        if (balance == 0)
            result.relocatable = false;
        else if (balance == 1)
            result.relocatable = true;
        if (term.external) result.external = true;
        unary = false;
        pending = 0;
    }

    int balance = plus_count - minus_count;
    if (balance != 0 && balance != 1) code = kSyntaxError;
    if (code == kSyntaxError) {
        result.value = 0;
        result.relocatable = false;
        result.external = false;
        st.last_external = nullptr;
        record_error(st, kSyntaxError);
        return code;
    }
    if (unary || pending) {
        code = kSyntaxError;
        record_error(st, kSyntaxError);
    }
    if (operator_seen && result.external) {
        result.value = 0;
        st.last_external = nullptr;
        code = kInvalidRef;
        record_error(st, kInvalidRef);
    }
    return code;
}

int parse_general_operand(AssemblerState& st, std::string_view text, GeneralOperand& op) {
    op = GeneralOperand{};
    st.last_external = nullptr;
    int code = 0;
    if (!text.empty() && text[0] == '*') {
        std::string_view rest = text.substr(1);
        if (text.size() >= 2 && text.back() == '+') {
            op.mode = 3;
            rest.remove_suffix(1);
        } else {
            op.mode = 1;
        }
        code = eval_expression(st, rest, op.reg);
    } else if (!text.empty() && text[0] == '@') {
        op.mode = 2;
        std::string_view address = text.substr(1);
        size_t paren = address.find('(');
        if (paren != std::string_view::npos) {
            std::string_view index = address.substr(paren + 1);
            address = address.substr(0, paren);
            if (!index.empty() && index.back() == ')') {
                index.remove_suffix(1);
                eval_expression(st, index, op.reg);
                if (op.reg.value == 0) record_error(st, kInvalidIndexR0);
            } else {
                // No closing bracket: the operand is the address alone.
                record_error(st, kSyntaxError);
            }
        }
        code = eval_expression(st, address, op.addr);
    } else {
        op.mode = 0;
        code = eval_expression(st, text, op.reg);
    }
    op.external = st.last_external;
    return code;
}

}  // namespace tarn
