// Instruction handlers: operand parsing, register checks and encoding.
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

GeneralOperand parse(AssemblerState& st, std::string_view text) {
    GeneralOperand op;
    parse_general_operand(st, text, op);
    return op;
}

// Parses the two operands of a field split at its first comma. A missing
// field or comma is SYNTAX ERROR and leaves both zero; false then.
bool parse_two(AssemblerState& st, const Field& field, GeneralOperand& first, GeneralOperand& second) {
    size_t comma = field ? field->find(',') : std::string_view::npos;
    if (comma == std::string_view::npos) {
        record_error(st, kSyntaxError);
        return false;
    }
    first = parse(st, field->substr(0, comma));
    second = parse(st, field->substr(comma + 1));
    return true;
}

// The one operand of a field; a comma is SYNTAX ERROR and the text before it
// is used. Zero (after SYNTAX ERROR) when the field is missing.
GeneralOperand parse_one(AssemblerState& st, const Field& field) {
    if (!field) {
        record_error(st, kSyntaxError);
        return GeneralOperand{};
    }
    std::string_view text = *field;
    size_t comma = text.find(',');
    if (comma != std::string_view::npos) {
        record_error(st, kSyntaxError);
        text = text.substr(0, comma);
    }
    return parse(st, text);
}

// Aligns the instruction and cuts its operand (which may begin with "*")
// and comment fields.
Field begin_instruction(AssemblerState& st) {
    align_even(st, st.label_symbol);
    Field field = scan_operand_any(st);
    scan_comment(st);
    return field;
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

// A field that must be a plain register (or count): mode 0, then 0 to 15.
unsigned plain_register(AssemblerState& st, const GeneralOperand& op) {
    require_plain(st, op);
    return register_field(st, op.reg);
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
        const bool link = external && external->has(kRefName);
        if (link) value = link_reference(st, *external);
        lst_more_operand(st, st.location_counter, value);
        // A link keeps its relocation: one to relocatable 0 ends no chain.
        if (link)
            obj_write_word(st, st.location_counter, st.current_relocatable, value.value, value.relocatable,
                           value.segment);
        else
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
    parse_two(st, field, src, dst);
    unsigned s = register_field(st, src.reg);
    unsigned d = plain_register(st, dst);
    emit_instruction(st, opcode(st) | d << 6 | static_cast<unsigned>(src.mode) << 4 | s);
    emit_address_if_symbolic(st, src);
}

}  // namespace

void encode_two_operand(AssemblerState& st) {
    Field field = begin_instruction(st);
    GeneralOperand src, dst;
    parse_two(st, field, src, dst);
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

void encode_register_dest(AssemblerState& st) { register_dest(st, begin_instruction(st)); }

void encode_format9(AssemblerState& st) { encode_register_dest(st); }

void encode_cru_transfer(AssemblerState& st) {
    Field field = begin_instruction(st);
    GeneralOperand src, count;
    const bool no_comma = !parse_two(st, field, src, count) && field;
    unsigned s = register_field(st, src.reg);
    unsigned c = plain_register(st, count);
    emit_instruction(st, opcode(st) | c << 6 | static_cast<unsigned>(src.mode) << 4 | s);
    emit_address_if_symbolic(st, src);
    if (no_comma) advance(st, 2);
}

void encode_shift(AssemblerState& st) {
    Field field = begin_instruction(st);
    GeneralOperand reg, count;
    parse_two(st, field, reg, count);
    unsigned w = plain_register(st, reg);
    unsigned c = count.reg.value;
    if (count.mode != 0 || count.reg.value > 15 || count.reg.relocatable) {
        record_error(st, kSyntaxError);
        c = 0;
    }
    emit_instruction(st, opcode(st) | c << 4 | w);
}

void encode_single_operand(AssemblerState& st) {
    GeneralOperand op = parse_one(st, begin_instruction(st));
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
    Field field = begin_instruction(st);
    GeneralOperand reg, imm;
    parse_two(st, field, reg, imm);
    unsigned w = plain_register(st, reg);
    require_plain(st, imm);
    emit_instruction(st, opcode(st) | w);
    emit_operand(st, imm.reg, imm.external);
}

void encode_immediate_only(AssemblerState& st) {
    GeneralOperand imm = parse_one(st, begin_instruction(st));
    require_plain(st, imm);
    emit_instruction(st, opcode(st));
    emit_operand(st, imm.reg, imm.external);
}

void encode_register_only(AssemblerState& st) {
    GeneralOperand reg = parse_one(st, begin_instruction(st));
    unsigned w = plain_register(st, reg);
    emit_instruction(st, opcode(st) | w);
}

void encode_user_xop(AssemblerState& st, const Symbol& symbol) {
    Field field = begin_instruction(st);
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
