// AORG, RORG, DORG, PSEG/PEND, DSEG/DEND, CSEG/CEND, BSS, BES and EVEN.
#include <string>

#include "errors.hpp"
#include "expression.hpp"
#include "listing_writer.hpp"
#include "mnemonic_table.hpp"
#include "object_writer.hpp"
#include "passes.hpp"
#include "platform/paths.hpp"
#include "scanner.hpp"

namespace tarn {
namespace {

SegmentEntry& row(AssemblerState& st, int segment) {
    return st.segment_table[static_cast<size_t>(segment_row(segment))];
}

// A pending odd byte belongs to the segment being left.
void flush_before_switch(AssemblerState& st) {
    if (st.pass == 2) obj_flush_byte(st);
}

void set_label_flag(Symbol* s, uint8_t flag, bool on) {
    if (on)
        s->flags |= flag;
    else
        s->flags &= static_cast<uint8_t>(~flag);
}

void enter_segment(AssemblerState& st, int segment) {
    segment_leave(st);
    st.current_segment = segment;
    st.location_counter = row(st, segment).saved_lc;
    st.current_relocatable = row(st, segment).relocatable;
}

void list_and_load(AssemblerState& st) {
    if (st.pass != 2) return;
    scan_comment(st);
    lst_word_line(st, st.line_number, st.location_counter, kNone);
    obj_write_load_address(st, st.location_counter, st.current_relocatable);
}

// AORG (1), RORG (2), DORG (0).
void origin(AssemblerState& st, int segment) {
    Field operand = scan_operand(st);
    scan_comment(st);
    flush_before_switch(st);
    Symbol* label = st.label_symbol;
    if (label) {
        label->value = 0;
        set_label_flag(label, kDefined, false);
        set_label_flag(label, kRelocatable, false);
    }
    segment_leave(st);
    int code = 0;
    SegmentEntry& entry = row(st, segment);
    if (operand) {
        OperandValue v;
        code = eval_expression(st, *operand, v);
        if (code == 0) {
            entry.saved_lc = v.value;
            if (segment == kDummySegment) entry.relocatable = v.relocatable;
        }
    }
    if (code == 0) {
        st.location_counter = entry.saved_lc;
        st.current_relocatable = segment == kAbsoluteSegment ? false
                                 : segment == kProgramSegment ? true
                                                              : entry.relocatable;
        st.current_segment = segment;
        if (label) {
            label->value = static_cast<uint16_t>(st.location_counter);
            label->flags |= kDefined;
            set_label_flag(label, kRelocatable, st.current_relocatable);
            if (segment == kAbsoluteSegment || (segment == kDummySegment && !st.current_relocatable))
                label->flags |= kAbsoluteOrigin;
        }
    }
    if (st.pass == 2) {
        lst_word_line(st, st.line_number, st.location_counter, kNone);
        label_external_check(st);
        obj_write_load_address(st, st.location_counter, st.current_relocatable);
    }
}

enum class Closing { Pend, Dend, Cend };

void close_segment(AssemblerState& st, Closing which) {
    const int cs = st.current_segment;
    switch (which) {
        case Closing::Pend:
            if (cs == kDataSegment)
                record_error(st, kDendAssumed);
            else if (cs != kPsegSegment)
                record_error(st, cs < kBlankCommon ? kSyntaxError : kCendAssumed);
            break;
        case Closing::Dend:
            if (cs == kPsegSegment)
                record_error(st, kPendAssumed);
            else if (cs != kDataSegment)
                record_error(st, cs < kBlankCommon ? kSyntaxError : kCendAssumed);
            break;
        case Closing::Cend:
            if (cs == kDataSegment)
                record_error(st, kDendAssumed);
            else if (cs == kPsegSegment)
                record_error(st, kPendAssumed);
            else if (cs < kBlankCommon)
                record_error(st, kSyntaxError);
            break;
    }
    if (which != Closing::Pend && st.label_symbol) st.label_symbol->segment = static_cast<uint16_t>(cs);
    if (st.pass == 2) {
        scan_comment(st);
        lst_word_line(st, st.line_number, st.location_counter, kNone);
    }
    flush_before_switch(st);
    segment_leave(st);
    st.current_segment = kProgramSegment;
    st.location_counter = row(st, kProgramSegment).saved_lc;
    st.current_relocatable = row(st, kProgramSegment).relocatable;
}

}  // namespace

void directive_aorg(AssemblerState& st) { origin(st, kAbsoluteSegment); }
void directive_rorg(AssemblerState& st) { origin(st, kProgramSegment); }
void directive_dorg(AssemblerState& st) { origin(st, kDummySegment); }

void directive_pseg(AssemblerState& st) {
    flush_before_switch(st);
    segment_leave(st);
    st.current_segment = kPsegSegment;
    st.location_counter = row(st, kProgramSegment).saved_lc;
    st.current_relocatable = row(st, kProgramSegment).relocatable;
    list_and_load(st);
}

void directive_dseg(AssemblerState& st) {
    flush_before_switch(st);
    enter_segment(st, kDataSegment);
    if (st.label_symbol) st.label_symbol->segment = kDataSegment;
    list_and_load(st);
}

void directive_cseg(AssemblerState& st) {
    Field operand = scan_quoted_operand(st, '\'');
    int index = kBlankCommon;
    if (operand && !operand->empty() && (*operand)[0] == '\'') {
        scan_comment(st);
        std::string name;
        int code = parse_quoted(operand, '\'', 7, name);
        if (code != 0) {
            record_error(st, kSyntaxError);
        } else {
            int found = -1;
            for (int i = 5; i < st.segment_count; ++i)
                if (platform::equals_ignore_case(st.segment_table[static_cast<size_t>(i)].name, name)) {
                    found = i;
                    break;
                }
            if (found >= 0) {
                index = found;
            } else if (st.segment_count > kMaxSegments - 1) {
                record_error(st, kComTableOverflow);
            } else {
                SegmentEntry& e = st.segment_table[static_cast<size_t>(st.segment_count)];
                e = SegmentEntry{name, st.segment_table[static_cast<size_t>(st.segment_count - 1)].common_number + 1, 4,
                                 0, 0, true};
                index = st.segment_count++;
            }
        }
    }
    flush_before_switch(st);
    enter_segment(st, index);
    if (st.label_symbol) st.label_symbol->segment = static_cast<uint16_t>(index);
    list_and_load(st);
}

void directive_pend(AssemblerState& st) { close_segment(st, Closing::Pend); }
void directive_dend(AssemblerState& st) { close_segment(st, Closing::Dend); }
void directive_cend(AssemblerState& st) { close_segment(st, Closing::Cend); }

void directive_bss(AssemblerState& st) {
    Field operand = scan_operand(st);
    scan_comment(st);
    int size = 0;
    if (!operand) {
        record_error(st, kSyntaxError);
    } else {
        OperandValue v;
        if (eval_expression(st, *operand, v) == 0) size = v.value;
    }
    if (st.pass == 2) {
        lst_word_line(st, st.line_number, st.location_counter, kNone);
        obj_flush_byte(st);
        obj_write_load_address(st, st.location_counter, st.current_relocatable);
        label_external_check(st);
    }
    advance(st, size);
}

void directive_bes(AssemblerState& st) {
    Field operand = scan_operand(st);
    scan_comment(st);
    if (!operand) {
        record_error(st, kSyntaxError);
    } else {
        OperandValue v;
        if (eval_expression(st, *operand, v) == 0) {
            if (st.pass == 2) obj_write_load_address(st, st.location_counter, st.current_relocatable);
            advance(st, v.value);
            if (Symbol* label = st.label_symbol) {
                label->value = static_cast<uint16_t>(st.location_counter);
                label->flags |= kDefined;
                set_label_flag(label, kRelocatable, st.current_relocatable);
            }
        }
    }
    if (st.pass == 2) {
        lst_word_line(st, st.line_number, st.location_counter, kNone);
        obj_flush_byte(st);
        obj_write_load_address(st, st.location_counter, st.current_relocatable);
        label_external_check(st);
    }
}

void directive_even(AssemblerState& st) {
    scan_comment(st);
    if (st.pass == 2) {
        lst_word_line(st, st.line_number, kNone, kNone);
        label_external_check(st);
    }
    align_even(st, nullptr);
}

}  // namespace tarn
