#include "listing_writer.hpp"

#include "errors.hpp"
#include "symbol_table.hpp"
#include "text_format.hpp"

namespace tarn {
namespace {

constexpr size_t kSourceColumns = 60;

bool listing(const AssemblerState& st) { return st.list_file.is_open() && st.lst.list_level >= 1; }

// Starts a line, after the page check; it is built in the file's buffer.
std::string& begin_line(AssemblerState& st) {
    lst_page_check(st, true);
    return st.list_file.gathered();
}

void finish_line(AssemblerState& st) {
    st.list_file.end_line();
    ++st.lst.page_line;
}

void put_line_number(std::string& out, int n) { put_dec4(out, static_cast<unsigned>(n)); }

void put_location(std::string& out, int location) {
    if (location < 0)
        out += "    ";
    else
        put_hex4(out, static_cast<unsigned>(location));
}

char value_mark(const OperandValue& v) {
    if (!v.relocatable) return ' ';
    switch (v.segment) {
        case 0:
        case 1:
        case kNoSegment:
            return ' ';
        case kProgramSegment:
        case kPsegSegment:
            return '\'';
        case kDataSegment:
            return '"';
        default:
            return '+';
    }
}

// "  LLLL AAAA ", after the page check: the start of a statement line.
std::string& begin_statement(AssemblerState& st, int line_number, int location) {
    std::string& out = begin_line(st);
    out += "  ";
    put_line_number(out, line_number);
    out += ' ';
    put_location(out, location);
    out += ' ';
    return out;
}

// "       AAAA ": the start of a continuation line.
std::string& begin_continuation(AssemblerState& st, int location) {
    std::string& out = begin_line(st);
    out += "       ";
    put_location(out, location);
    out += ' ';
    return out;
}

// Ends a statement line with its source text.
void finish_statement(AssemblerState& st) {
    put_cut(st.list_file.gathered(), st.source_line, kSourceColumns);
    finish_line(st);
}

}  // namespace

bool lst_page_check(AssemblerState& st, bool with_title) {
    if (!st.list_file.is_open() || st.lst.page_line < st.lst.page_length) return false;
    st.lst.page_line = 0;
    std::string& out = st.list_file.gathered();
    out += '\f';
    st.list_file.end_line();
    out += ' ';
    out += kBanner;
    st.list_file.end_line();
    ++st.lst.page_line;
    if (with_title) {
        put_padded(out, st.lst.title, 60);
        out += " PAGE ";
        put_dec4(out, static_cast<unsigned>(st.lst.page_number));
        st.list_file.end_line();
        ++st.lst.page_line;
        ++st.lst.page_number;
    }
    return true;
}

void lst_word_line(AssemblerState& st, int line_number, int location, int word) {
    if (!listing(st)) return;
    std::string& out = begin_statement(st, line_number, location);
    put_location(out, word);
    out += "  ";
    finish_statement(st);
}

void lst_operand_line(AssemblerState& st, int line_number, int location, const std::optional<OperandValue>& v) {
    if (!listing(st)) return;
    std::string& out = begin_statement(st, line_number, location);
    if (v) {
        put_hex4(out, v->value);
        out += value_mark(*v);
    } else {
        out += "     ";
    }
    out += ' ';
    finish_statement(st);
}

void lst_byte_line(AssemblerState& st, int line_number, int location, int byte) {
    if (!listing(st)) return;
    std::string& out = begin_statement(st, line_number, location);
    if (byte < 0) {
        out += "    ";
    } else {
        out += "  ";
        put_hex2(out, static_cast<unsigned>(byte));
    }
    out += "  ";
    finish_statement(st);
}

void lst_more_operand(AssemblerState& st, int location, const OperandValue& v) {
    if (!listing(st)) return;
    std::string& out = begin_continuation(st, location);
    put_hex4(out, v.value);
    out += v.external && v.value == 0 ? ' ' : value_mark(v);  // a chain end
    finish_line(st);
}

void lst_more_byte(AssemblerState& st, int location, int byte) {
    if (!listing(st)) return;
    std::string& out = begin_continuation(st, location);
    out += "  ";
    put_hex2(out, static_cast<unsigned>(byte));
    out += ' ';
    finish_line(st);
}

void lst_text_line(AssemblerState& st, int line_number, std::string_view text) {
    if (!listing(st)) return;
    std::string& out = begin_line(st);
    out += "  ";
    put_line_number(out, line_number);
    out += "            ";
    put_cut(out, text, kSourceColumns);
    finish_line(st);
}

void lst_condition_line(AssemblerState& st, int line_number, bool truth) {
    if (!listing(st)) return;
    std::string& out = begin_line(st);
    out += "  ";
    put_line_number(out, line_number);
    out += ' ';
    out += truth ? "TRUE  " : "FALSE ";
    out += "     ";
    finish_statement(st);
}

void lst_error(AssemblerState& st, int code, int line_number) {
    if (st.pass == 1 && code != kInvalidRef && code != kMultipleSymbols) return;
    if (st.pass == 1 && !st.lst.pass1_console_heading) {
        st.lst.pass1_console_heading = true;
        st.con.out << " PASS 1 ERRORS\n";
    } else if (st.pass == 2 && !st.lst.pass2_console_heading) {
        st.lst.pass2_console_heading = true;
        st.con.out << " PASS 2 ERRORS\n";
    }
    std::string line = "*****  ";
    line += error_message(code);
    line += " - ";
    put_dec4(line, static_cast<unsigned>(line_number));
    line += '\n';
    st.con.out << line;
    ++st.error_count;
    if (!st.list_file.is_open()) return;
    if (st.pass == 1) {
        if (lst_page_check(st, false) && !st.lst.pass1_list_heading) {
            st.lst.pass1_list_heading = true;
            st.list_file.write(" PASS 1 ERRORS\n");
            ++st.lst.page_line;
        }
    } else {
        lst_page_check(st, true);
    }
    st.list_file.write(line);
    ++st.lst.page_line;
}

void lst_pending_errors(AssemblerState& st) {
    for (int i = 0; i < st.line_error_count; ++i) lst_error(st, st.line_errors[static_cast<size_t>(i)], st.line_number);
    st.line_error_count = 0;
}

void lst_undefined_symbols(AssemblerState& st) {
    bool any = false;
    for (const Symbol* s : st.symbols.sorted) {
        if (s->has(kDefined) || s->has(kRefName)) continue;
        if (!any) {
            any = true;
            st.con.out << "THE FOLLOWING SYMBOLS ARE UNDEFINED:\n";
            if (st.list_file.is_open()) {
                lst_page_check(st, true);
                st.list_file.write("   THE FOLLOWING SYMBOLS ARE UNDEFINED:\n");
                ++st.lst.page_line;
            }
        }
        st.con.out << s->name << '\n';
        if (st.list_file.is_open()) {
            lst_page_check(st, true);
            st.list_file.write(s->name + "\n");
            ++st.lst.page_line;
        }
    }
}

void lst_symbol_table(AssemblerState& st) {
    st.lst.page_length = 60;
    if (!st.list_file.is_open()) return;
    st.lst.page_line = 999;
    const auto& syms = st.symbols.sorted;
    for (size_t i = 0; i < syms.size(); i += 4) {
        lst_page_check(st, true);
        std::string out;
        for (size_t j = i; j < i + 4 && j < syms.size(); ++j) {
            const Symbol* s = syms[j];
            char mark = ' ';
            if (s->has(kRelocatable)) mark = '\'';
            if (s->has(kAbsoluteOrigin)) mark = '+';
            if (s->has(kDefName)) mark = 'D';
            if (!s->has(kDefined)) mark = 'U';
            if (s->has(kRefName)) mark = 'E';
            if (s->has(kDxopName)) mark = 'X';
            put_symbol_entry(out, mark, *s);
            out += "  ";
        }
        out += '\n';
        st.list_file.write(out);
        ++st.lst.page_line;
    }
}

void lst_error_total(AssemblerState& st, int count) {
    if (!st.list_file.is_open()) return;
    lst_page_check(st, true);
    std::string out = "  ";
    put_dec4(out, static_cast<unsigned>(count));
    out += " ERRORS\n";
    st.list_file.write(out);
    ++st.lst.page_line;
}

void lst_segment_table(AssemblerState& st) {
    if (!st.list_file.is_open()) return;
    st.lst.page_line = 999;
    for (int i = 0; i < st.segment_count; ++i) {
        lst_page_check(st, true);
        const SegmentEntry& e = st.segment_table[static_cast<size_t>(i)];
        const uint16_t size = e.reported_size();
        if (size == 0) continue;
        std::string out = "  SEGMENT ";
        put_padded(out, e.name, 8);
        out += " SIZE ";
        std::string dec = std::to_string(size);
        out.append(dec.size() < 5 ? 5 - dec.size() : 0, '0');
        out += dec;
        out += " (>";
        put_hex4(out, size);
        out += ") BYTES\n";
        st.list_file.write(out);
        ++st.lst.page_line;
    }
}

}  // namespace tarn
