#include "passes.hpp"

#include "conditional.hpp"
#include "errors.hpp"
#include "listing_writer.hpp"
#include "mnemonic_table.hpp"
#include "object_writer.hpp"
#include "scanner.hpp"
#include "source_reader.hpp"
#include "symbol_table.hpp"

namespace tarn {
namespace {

void define_label(AssemblerState& st, std::string name) {
    record_error(st, check_symbol_name(name));
    Symbol* s = nullptr;
    if (st.pass == 1) {
        s = sym_find(st, name);
        if (s && (s->has(kDefined) || s->has(kRefName))) {
            record_error(st, kMultipleSymbols);
            return;
        }
        if (!s) s = sym_add(st, name);
        if (!s) return;
        s->segment = static_cast<uint16_t>(st.current_segment);
    } else {
        s = sym_find(st, name);
        if (!s) return;
    }
    st.label_symbol = s;
    s->value = static_cast<uint16_t>(st.location_counter);
    s->flags |= kDefined;
    if (st.current_relocatable)
        s->flags |= kRelocatable;
    else
        s->flags &= static_cast<uint8_t>(~kRelocatable);
}

void invalid_mnemonic(AssemblerState& st, std::string_view mnemonic) {
    if (st.pass == 1) {
        sym_add(st, mnemonic);
        record_error(st, kInvalidMnemonic);
    } else {
        record_error(st, kInvalidMnemonic);
        scan_operand(st);
        scan_comment(st);
        lst_word_line(st, st.line_number, st.location_counter, 0x1000);
    }
    advance(st, 2);
}

void statement(AssemblerState& st) {
    st.label_symbol = nullptr;
    if (Field label = scan_label(st)) define_label(st, std::string(*label));
    Field mnemonic = scan_mnemonic(st);
    if (mnemonic) {
        if (const MnemonicEntry* entry = find_mnemonic(*mnemonic)) {
            st.current_mnemonic = entry;
            if (entry->handler) entry->handler(st);
        } else if (Symbol* s = sym_find(st, *mnemonic); s && s->has(kDxopName)) {
            st.user_xop_name = std::string(*mnemonic);
            st.user_xop_row = xop_row();
            st.user_xop_row.name = st.user_xop_name;
            st.current_mnemonic = &st.user_xop_row;
            encode_user_xop(st, *s);
        } else {
            invalid_mnemonic(st, *mnemonic);
        }
    } else if (st.pass == 2) {
        if (st.label_field)
            lst_word_line(st, st.line_number, kNone, kNone);
        else
            lst_text_line(st, st.line_number, st.source_line);
    }
}

void end_of_source(AssemblerState& st) {
    if (st.pass == 2) {
        ++st.line_number;
        st.source_line = "       END";
        lst_word_line(st, st.line_number, kNone, kNone);
    }
    lst_error(st, kEndAssumed, st.line_number);
    segment_leave(st);
}

}  // namespace

void advance(AssemblerState& st, int bytes) { st.location_counter = (st.location_counter + bytes) & 0xFFFF; }

void segment_leave(AssemblerState& st) {
    SegmentEntry& e = st.segment_table[static_cast<size_t>(segment_row(st.current_segment))];
    e.size = static_cast<uint16_t>(e.size + (st.location_counter - e.saved_lc));
    e.saved_lc = static_cast<uint16_t>(st.location_counter);
    if (segment_row(st.current_segment) == kProgramSegment && e.saved_lc > e.highest) e.highest = e.saved_lc;
}

void align_even(AssemblerState& st, Symbol* symbol) {
    if (st.location_counter & 1) {
        advance(st, 1);
        if (symbol) symbol->value = static_cast<uint16_t>(st.location_counter);
    }
    if (st.pass == 2) obj_flush_byte(st);
}

OperandValue link_reference(AssemblerState& st, Symbol& ref) {
    OperandValue previous{ref.segment, ref.value, ref.has(kRelocatable), true};
    ref.segment = static_cast<uint16_t>(st.current_segment);
    ref.value = static_cast<uint16_t>(st.location_counter);
    if (st.current_relocatable)
        ref.flags |= kRelocatable;
    else
        ref.flags &= static_cast<uint8_t>(~kRelocatable);
    ref.referenced = true;
    return previous;
}

void label_external_check(AssemblerState& st) {
    if (st.label_symbol && st.label_symbol->has(kRefName)) record_error(st, kMultipleSymbols);
}

void reset_segments(AssemblerState& st) {
    for (int i = 0; i < st.segment_count; ++i) {
        st.segment_table[static_cast<size_t>(i)].saved_lc = 0;
        st.segment_table[static_cast<size_t>(i)].size = 0;
        st.segment_table[static_cast<size_t>(i)].highest = 0;
    }
    st.current_segment = kProgramSegment;
    st.location_counter = st.segment_table[kProgramSegment].saved_lc;
    st.current_relocatable = true;
}

void run_pass(AssemblerState& st, int pass) {
    st.pass = pass;
    st.line_number = 0;
    cond_reset(st);
    while (!st.end_seen) {
        ReadResult r = read_line(st);
        if (r == ReadResult::EndOfSource) {
            end_of_source(st);
            break;
        }
        if (r != ReadResult::Line) {
            lst_error(st, kFatalDsrError, st.line_number);
            if (r == ReadResult::SourceError) segment_leave(st);
            fatal_exit(st, 12);
        }
        ++st.line_number;
        st.line_error_count = 0;
        const std::string& line = st.source_line;
        if (!line.empty() && line[0] == '*') {
            if (pass == 2) lst_text_line(st, st.line_number, line);
            continue;
        }
        if (pass == 2 && line.empty()) {
            lst_text_line(st, st.line_number, line);
            continue;
        }
        scan_start(st);
        if (!line.empty() && line[0] == '#') {
            cond_directive(st);
            if (pass == 2) {
                lst_condition_line(st, st.line_number, cond_active(st));
                lst_pending_errors(st);
            }
            continue;
        }
        if (!cond_active(st)) {
            if (pass == 2) lst_word_line(st, st.line_number, kNone, kNone);
            continue;
        }
        if (line.empty()) continue;
        statement(st);
        lst_pending_errors(st);
    }
    if (!cond_balanced(st)) lst_error(st, kMissingEndif, st.line_number);
    if (pass == 2) {
        obj_flush_byte(st);
        obj_end_record(st, 1, 12);
        obj_write_entry(st, st.entry_symbol);
        obj_write_externals(st);
        obj_write_trailer(st);
    }
}

}  // namespace tarn
