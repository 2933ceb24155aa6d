// Instruction handlers: operand parsing, register checks and encoding.
#include <optional>
#include <string>

#include "errors.hpp"
#include "expression.hpp"
#include "listing_writer.hpp"
#include "mnemonic_table.hpp"
#include "object_writer.hpp"
#include "passes.hpp"
#include "scanner.hpp"

namespace tarn {
namespace {

uint16_t opcode(const AssemblerState& st) { return st.current_mnemonic->opcode(); }

// Splits a two-operand field at its first comma. A missing field or comma is
// SYNTAX ERROR and leaves both operands zero; false then.
bool split_two(AssemblerState& st, const Field& field, std::string_view& first, std::string_view& second) {
    if (!field) {
        record_error(st, kSyntaxError);
        return false;
    }
    size_t comma = field->find(',');
    if (comma == std::string_view::npos) {
        record_error(st, kSyntaxError);
        return false;
    }
    first = field->substr(0, comma);
    second = field->substr(comma + 1);
    return true;
}

// The single operand of a field; a comma is SYNTAX ERROR and the text before
// it is used. nullopt (after SYNTAX ERROR) when the field is missing.
std::optional<std::string_view> single(AssemblerState& st, const Field& field) {
    if (!field) {
        record_error(st, kSyntaxError);
        return std::nullopt;
    }
    std::string_view text = *field;
    size_t comma = text.find(',');
    if (comma != std::string_view::npos) {
        record_error(st, kSyntaxError);
        text = text.substr(0, comma);
    }
    return text;
}

GeneralOperand parse(AssemblerState& st, std::string_view text) {
    GeneralOperand op;
    parse_general_operand(st, text, op);
    return op;
}

// A register field: 0 to 15 and absolute, else INVALID REGISTER and 0.
unsigned register_field(AssemblerState& st, const OperandValue& v) {
    if (v.value > 15 || v.relocatable) {
        record_error(st, kInvalidRegister);
        return 0;
    }
    return v.value;
}

void require_plain(AssemblerState& st, const GeneralOperand& op) {
    if (op.mode != 0) record_error(st, kSyntaxError);
}

void emit_instruction(AssemblerState& st, unsigned word) {
    if (st.pass == 2) {
        lst_word_line(st, st.line_number, st.location_counter, static_cast<int>(word & 0xFFFF));
        obj_write_word(st, st.location_counter, st.current_relocatable, static_cast<uint16_t>(word), false,
                       kProgramSegment);
    }
    advance(st, 2);
}

// An address or immediate word; a REF name puts the word into its chain.
void emit_operand(AssemblerState& st, OperandValue value, Symbol* external) {
    if (st.pass == 2) {
        if (external && external->has(kRefName)) {
            value = OperandValue{external->segment, external->value, external->has(kRelocatable), true};
            external->segment = static_cast<uint16_t>(st.current_segment);
            external->value = static_cast<uint16_t>(st.location_counter);
            if (st.current_relocatable)
                external->flags |= kRelocatable;
            else
                external->flags &= static_cast<uint8_t>(~kRelocatable);
            external->referenced = true;
        }
        lst_more_operand(st, st.location_counter, value);
        obj_write_operand_word(st, st.location_counter, st.current_relocatable, value);
    }
    advance(st, 2);
}

void emit_address_if_symbolic(AssemblerState& st, const GeneralOperand& op) {
    if (op.mode == 2) emit_operand(st, op.addr, op.external);
}

// Format 3 and 9 with the operand text given (DXOP statements build theirs).
void register_dest(AssemblerState& st, const Field& field) {
    GeneralOperand src, dst;
    std::string_view a, b;
    if (split_two(st, field, a, b)) {
        src = parse(st, a);
        dst = parse(st, b);
    }
    unsigned s = register_field(st, src.reg);
    require_plain(st, dst);
    unsigned d = register_field(st, dst.reg);
    emit_instruction(st, opcode(st) | d << 6 | static_cast<unsigned>(src.mode) << 4 | s);
    emit_address_if_symbolic(st, src);
}

}  // namespace

void encode_two_operand(AssemblerState& st) {
    align_even(st, st.label_symbol);
    Field field = scan_operand_any(st);
    scan_comment(st);
    GeneralOperand src, dst;
    std::string_view a, b;
    if (split_two(st, field, a, b)) {
        src = parse(st, a);
        dst = parse(st, b);
    }
    unsigned s = register_field(st, src.reg);
    unsigned d = register_field(st, dst.reg);
    emit_instruction(st, opcode(st) | static_cast<unsigned>(dst.mode) << 10 | d << 6 |
                             static_cast<unsigned>(src.mode) << 4 | s);
    emit_address_if_symbolic(st, src);
    emit_address_if_symbolic(st, dst);
}

void encode_jump(AssemblerState& st) {
    align_even(st, st.label_symbol);
    unsigned word = opcode(st);
    if (st.pass == 2) {
        Field field = scan_operand(st);
        scan_comment(st);
        if (!field) {
            record_error(st, kSyntaxError);
        } else {
            OperandValue target;
            eval_expression(st, *field, target);
            int value = target.value;
            if (st.last_external) {
                record_error(st, kInvalidRef);
                value = 0;
            }
            if (word >= 0x1D00) {  // SBO, SBZ, TB: CRU bit
                if (value > 127) {
                    record_error(st, kOutOfRange);
                    value = 0;
                }
                word |= static_cast<unsigned>(value) & 0xFF;
            } else {
                int displacement = (value - (st.location_counter + 2)) / 2;
                if (displacement < -128 || displacement > 127) {
                    record_error(st, kOutOfRange);
                    displacement = 0;
                }
                word |= static_cast<unsigned>(displacement) & 0xFF;
            }
        }
    }
    emit_instruction(st, word);
}

void encode_register_dest(AssemblerState& st) {
    align_even(st, st.label_symbol);
    Field field = scan_operand_any(st);
    scan_comment(st);
    register_dest(st, field);
}

void encode_format9(AssemblerState& st) { encode_register_dest(st); }

void encode_cru_transfer(AssemblerState& st) {
    align_even(st, st.label_symbol);
    Field field = scan_operand_any(st);
    scan_comment(st);
    GeneralOperand src, count;
    std::string_view a, b;
    bool no_comma = false;
    if (split_two(st, field, a, b)) {
        src = parse(st, a);
        count = parse(st, b);
    } else {
        no_comma = field.has_value();
    }
    unsigned s = register_field(st, src.reg);
    require_plain(st, count);
    unsigned c = register_field(st, count.reg);
    emit_instruction(st, opcode(st) | c << 6 | static_cast<unsigned>(src.mode) << 4 | s);
    emit_address_if_symbolic(st, src);
    if (no_comma) advance(st, 2);
}

void encode_shift(AssemblerState& st) {
    align_even(st, st.label_symbol);
    Field field = scan_operand_any(st);
    scan_comment(st);
    GeneralOperand reg, count;
    std::string_view a, b;
    if (split_two(st, field, a, b)) {
        reg = parse(st, a);
        count = parse(st, b);
    }
    require_plain(st, reg);
    unsigned w = register_field(st, reg.reg);
    unsigned c = count.reg.value;
    if (count.mode != 0 || count.reg.value > 15 || count.reg.relocatable) {
        record_error(st, kSyntaxError);
        c = 0;
    }
    emit_instruction(st, opcode(st) | c << 4 | w);
}

void encode_single_operand(AssemblerState& st) {
    align_even(st, st.label_symbol);
    Field field = scan_operand_any(st);
    scan_comment(st);
    GeneralOperand op;
    if (auto text = single(st, field)) op = parse(st, *text);
    unsigned s = register_field(st, op.reg);
    emit_instruction(st, opcode(st) | static_cast<unsigned>(op.mode) << 4 | s);
    emit_address_if_symbolic(st, op);
}

void encode_no_operand(AssemblerState& st) {
    align_even(st, st.label_symbol);
    emit_instruction(st, opcode(st));
}

void encode_pseudo(AssemblerState& st) { encode_no_operand(st); }

void encode_register_immediate(AssemblerState& st) {
    align_even(st, st.label_symbol);
    Field field = scan_operand_any(st);
    scan_comment(st);
    GeneralOperand reg, imm;
    std::string_view a, b;
    if (split_two(st, field, a, b)) {
        reg = parse(st, a);
        imm = parse(st, b);
    }
    require_plain(st, reg);
    unsigned w = register_field(st, reg.reg);
    require_plain(st, imm);
    emit_instruction(st, opcode(st) | w);
    emit_operand(st, imm.reg, imm.external);
}

void encode_immediate_only(AssemblerState& st) {
    align_even(st, st.label_symbol);
    Field field = scan_operand_any(st);
    scan_comment(st);
    GeneralOperand imm;
    if (auto text = single(st, field)) {
        imm = parse(st, *text);
        require_plain(st, imm);
    }
    emit_instruction(st, opcode(st));
    emit_operand(st, imm.reg, imm.external);
}

void encode_register_only(AssemblerState& st) {
    align_even(st, st.label_symbol);
    Field field = scan_operand_any(st);
    scan_comment(st);
    GeneralOperand reg;
    if (auto text = single(st, field)) {
        reg = parse(st, *text);
        require_plain(st, reg);
    }
    unsigned w = register_field(st, reg.reg);
    emit_instruction(st, opcode(st) | w);
}

void encode_user_xop(AssemblerState& st, const Symbol& symbol) {
    align_even(st, st.label_symbol);
    Field field = scan_operand_any(st);
    scan_comment(st);
    if (!field) {
        register_dest(st, std::nullopt);
        return;
    }
    std::string text(*field);
    text += ',';
    text += std::to_string(symbol.value);
    register_dest(st, std::string_view(text));
}

}  // namespace tarn
