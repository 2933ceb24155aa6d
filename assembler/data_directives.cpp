// EQU, BYTE, DATA, TEXT, IDT, TITL, PAGE, UNL and LIST.
#include <string>
#include <vector>

#include "errors.hpp"
#include "expression.hpp"
#include "listing_writer.hpp"
#include "mnemonic_table.hpp"
#include "object_writer.hpp"
#include "passes.hpp"
#include "scanner.hpp"

namespace tarn {

void directive_equ(AssemblerState& st) {
    Field operand = scan_operand(st);
    scan_comment(st);
    // The list line shows 0000 when nothing was evaluated.
    OperandValue v{kNoSegment, 0, false, false};
    if (Symbol* label = st.label_symbol) {
        label->value = 0;
        label->flags |= kDefined | kEquName;
        label->flags &= static_cast<uint8_t>(~kRelocatable);
        if (!operand) {
            record_error(st, kSyntaxError);
        } else {
            int code = eval_expression(st, *operand, v);
            if (code == 0 && v.external) {
                record_error(st, kInvalidRef);
                code = kInvalidRef;
            }
            if (code == 0) {
                label->value = v.value;
                if (v.relocatable) label->flags |= kRelocatable;
            }
        }
    } else {
        record_error(st, kSyntaxError);
    }
    if (st.pass == 2) {
        lst_operand_line(st, st.line_number, kNone, v);
        label_external_check(st);
    }
}

namespace {

// Cuts the operand of BYTE or DATA into st.items (DATA aligns first). False,
// after listing the line and SYNTAX ERROR, when there is no operand.
bool take_items(AssemblerState& st, bool align) {
    Field operand = scan_operand(st);
    scan_comment(st);
    if (align) align_even(st, st.label_symbol);
    if (!operand) {
        if (st.pass == 2) lst_byte_line(st, st.line_number, kNone, kNone);
        record_error(st, kSyntaxError);
        return false;
    }
    split_items(*operand, st.items);
    return true;
}

}  // namespace

void directive_byte(AssemblerState& st) {
    if (!take_items(st, false)) return;
    bool first = true;
    for (std::string_view item : st.items) {
        OperandValue v;
        eval_expression(st, item, v);
        bool truncated = v.value > 255;
        int byte = v.value & 0xFF;
        if (st.pass == 2) {
            if (first) {
                lst_byte_line(st, st.line_number, st.location_counter, byte);
                label_external_check(st);
            } else {
                lst_more_byte(st, st.location_counter, byte);
            }
            if (truncated) lst_error(st, kSymbolTruncation, st.line_number);
            obj_write_byte(st, st.location_counter, st.current_relocatable, static_cast<uint16_t>(byte), v.relocatable);
        }
        first = false;
        advance(st, 1);
    }
}

void directive_data(AssemblerState& st) {
    if (!take_items(st, true)) return;
    bool first = true;
    for (std::string_view item : st.items) {
        OperandValue v;
        eval_expression(st, item, v);
        Symbol* external = st.last_external;
        if (st.pass == 2) {
            if (external && external->has(kRefName)) v = link_reference(st, *external);
            if (first) {
                lst_operand_line(st, st.line_number, st.location_counter, v);
                label_external_check(st);
            } else {
                lst_more_operand(st, st.location_counter, v);
            }
            obj_write_word(st, st.location_counter, st.current_relocatable, v.value, v.relocatable, v.segment);
        }
        first = false;
        advance(st, 2);
    }
}

void directive_text(AssemblerState& st) {
    Field operand = scan_quoted_operand(st, '\'');
    scan_comment(st);
    bool negate = false;
    Field text = operand;
    if (text && !text->empty() && (*text)[0] == '-') {
        negate = true;
        text = text->substr(1);
    }
    std::string chars;
    int code = parse_quoted(text, '\'', 49, chars);
    if (code != 0) record_error(st, kSyntaxError);

    auto emit = [&](int byte, bool list) {
        if (st.pass == 2) {
            if (list) lst_byte_line(st, st.line_number, st.location_counter, byte);
            obj_write_byte(st, st.location_counter, st.current_relocatable, static_cast<uint16_t>(byte), false);
        }
        advance(st, 1);
    };
    // Without a quoted string nothing is emitted.
    if (!text || text->empty() || (*text)[0] != '\'') {
        if (st.pass == 2) lst_word_line(st, st.line_number, kNone, kNone);
        return;
    }
    std::vector<int> bytes;
    if (chars.empty())
        bytes.push_back(0);
    else
        for (char c : chars) bytes.push_back(static_cast<unsigned char>(c));
    if (negate) bytes.back() = (0 - bytes.back()) & 0xFF;
    for (size_t i = 0; i < bytes.size(); ++i) emit(bytes[i], i == 0);
    // A bad string (too long or not closed) is followed by blank, blank, 0.
    if (code != 0) {
        emit(0x20, false);
        emit(0x20, false);
        emit(0x00, false);
    }
}

void directive_idt(AssemblerState& st) {
    Field operand = scan_quoted_operand(st, '\'');
    scan_comment(st);
    if (st.pass == 2) {
        lst_word_line(st, st.line_number, kNone, kNone);
        label_external_check(st);
    }
    std::string name;
    int code = parse_quoted(operand, '\'', 9, name);
    if (code == 0) {
        st.idt_name = name;
    } else if (code == kOutOfRange) {
        record_error(st, kOutOfRange);
        st.idt_name = name;
    } else {
        record_error(st, kSyntaxError);
    }
}

void directive_titl(AssemblerState& st) {
    Field operand = scan_quoted_operand(st, '\'');
    scan_comment(st);
    std::string title;
    int code = parse_quoted(operand, '\'', 51, title);
    if (code == 0) {
        st.lst.title = title;
    } else if (code == kOutOfRange) {
        record_error(st, kSyntaxError);
        st.lst.title = title;
    } else {
        if (st.pass == 2) {
            label_external_check(st);
            lst_word_line(st, st.line_number, kNone, kNone);
        }
        record_error(st, kSyntaxError);
    }
}

void directive_page(AssemblerState& st) {
    if (st.pass == 2) st.lst.page_line = 999;
}

void directive_unl(AssemblerState& st) {
    if (st.pass != 2) return;
    lst_word_line(st, st.line_number, kNone, kNone);
    --st.lst.list_level;
}

void directive_list(AssemblerState& st) {
    if (st.pass != 2) return;
    ++st.lst.list_level;
    lst_word_line(st, st.line_number, kNone, kNone);
}

}  // namespace tarn
