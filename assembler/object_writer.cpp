#include "object_writer.hpp"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "text_format.hpp"

namespace tarn {
namespace {

// One field being built, in the text form and in the compressed form; the
// text length decides the packing in both forms.
struct FieldBuilder {
    char text[16];
    char raw[16];
    size_t text_size = 1;
    size_t raw_size = 1;

    explicit FieldBuilder(char tag, char raw_tag = 0) {
        text[0] = tag;
        raw[0] = raw_tag ? raw_tag : tag;
    }
    FieldBuilder& value(unsigned v) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        for (int shift = 12; shift >= 0; shift -= 4) text[text_size++] = kHex[(v >> shift) & 0xF];
        raw[raw_size++] = static_cast<char>((v >> 8) & 0xFF);
        raw[raw_size++] = static_cast<char>(v & 0xFF);
        return *this;
    }
    FieldBuilder& name(std::string_view n, size_t width) {
        for (size_t i = 0; i < width; ++i) text[text_size++] = raw[raw_size++] = i < n.size() ? n[i] : ' ';
        return *this;
    }
    int length() const { return static_cast<int>(text_size); }
    std::string_view form(bool compressed) const {
        return compressed ? std::string_view(raw, raw_size) : std::string_view(text, text_size);
    }
};

bool writing(const AssemblerState& st) { return st.object_file.is_open(); }

void emit_field(AssemblerState& st, const FieldBuilder& f) {
    const std::string_view out = f.form(st.opt_compressed);
    st.object_file.append(out);
    for (char c : out) st.obj.checksum = static_cast<uint16_t>(st.obj.checksum + static_cast<unsigned char>(c));
    st.obj.column += static_cast<int>(f.text_size);
    st.obj.raw_column += static_cast<int>(f.raw_size);
    ++st.obj.field_count;
}

const SegmentEntry& row_of(const AssemblerState& st, int segment) {
    return st.segment_table[static_cast<size_t>(segment_row(segment))];
}

PlacedBytes& placed_bytes(AssemblerState& st) {
    std::unique_ptr<PlacedBytes>& p = st.obj.placed[static_cast<size_t>(segment_row(st.current_segment))];
    if (!p) p = std::make_unique<PlacedBytes>();
    return *p;
}

bool is_program_like(int segment) {
    return segment == 0 || segment == kAbsoluteSegment || segment == kProgramSegment || segment == kPsegSegment;
}

// Blanks, the sequence number and, in the text form, the line end.
void write_sequence_end(AssemblerState& st, int width) {
    std::string& out = st.object_file.gathered();
    out.append(static_cast<size_t>(width < 1 ? 1 : width), ' ');
    put_dec4(out, static_cast<unsigned>(st.obj.sequence));
    if (st.opt_compressed)
        st.object_file.append({});
    else
        st.object_file.end_line();
}

}  // namespace

bool obj_make_room(AssemblerState& st, int column_limit, int field_limit, int length) {
    if (!writing(st)) return false;
    if (length >= 6 && length <= 9) length -= 4;
    ObjectWriterState& o = st.obj;
    if (o.column + length < column_limit && o.field_count < field_limit) return false;
    o.checksum = static_cast<uint16_t>(o.checksum + '7');
    FieldBuilder end('7');
    end.value(static_cast<uint16_t>(0u - o.checksum));
    st.object_file.append(end.form(st.opt_compressed));
    st.object_file.append("F");
    o.column += 6;
    o.raw_column += static_cast<int>(end.raw_size + 1);
    write_sequence_end(st, 76 - (st.opt_compressed ? o.raw_column : o.column));
    o.checksum = 0;
    o.field_count = 0;
    o.column = 0;
    o.raw_column = 0;
    ++o.sequence;
    return true;
}

void obj_end_record(AssemblerState& st, int column_limit, int field_limit) {
    obj_make_room(st, column_limit, field_limit, 0);
}

void obj_begin_module(AssemblerState& st, const SegmentEntry& program, std::string_view module_name) {
    ObjectWriterState& o = st.obj;
    o = ObjectWriterState{};
    o.sequence = 1;
    if (!writing(st)) return;
    FieldBuilder f('0', '\x01');
    f.value(program.reported_size()).name(module_name, 8);
    obj_make_room(st, 66, 12, f.length());
    emit_field(st, f);
}

void obj_write_segment_header(AssemblerState& st, const SegmentEntry& entry) {
    if (!writing(st) || entry.reported_size() == 0) return;
    FieldBuilder f('M');
    f.value(entry.reported_size()).name(entry.name, 6).value(static_cast<unsigned>(entry.common_number));
    obj_make_room(st, 66, 12, f.length());
    emit_field(st, f);
}

void obj_write_load_address(AssemblerState& st, int address, bool relocatable) {
    if (!writing(st) || st.current_segment == kDummySegment) return;
    ObjectWriterState& o = st.obj;
    // Repeating the last load address is needed only when words moved the
    // loader on since.
    if (o.field_count >= 1 && o.last_load_segment == st.current_segment && o.last_load_address == address &&
        o.last_load_relocatable == relocatable && o.position.at(st.current_segment, address, relocatable))
        return;
    o.last_load_segment = st.current_segment;
    o.last_load_address = address;
    o.last_load_relocatable = relocatable;

    char tag;
    switch (st.current_segment) {
        case kAbsoluteSegment:
            tag = '9';
            break;
        case kProgramSegment:
        case kPsegSegment:
            tag = 'A';
            break;
        case kDataSegment:
            tag = 'S';
            break;
        default:
            tag = 'P';
            break;
    }
    FieldBuilder f(tag);
    f.value(static_cast<unsigned>(address));
    if (tag == 'P') f.value(static_cast<unsigned>(row_of(st, st.current_segment).common_number));
    const int length = f.length();
    const int counted = length >= 6 ? length - 4 : length;
    if (o.column + counted < 66 && o.field_count + 1 < 12)
        obj_make_room(st, 66, 12, length);
    else
        obj_make_room(st, 1, 1, length);
    emit_field(st, f);
    o.position = LoadPosition{true, st.current_segment, address, relocatable};
}

void obj_write_word(AssemblerState& st, int address, bool address_relocatable, uint16_t value,
                    bool value_relocatable, int segment) {
    if (!writing(st) || st.current_segment == kDummySegment) return;
    ObjectWriterState& o = st.obj;
    // A load address first unless the loader stands at this word already,
    // in this segment.
    if (!o.position.at(st.current_segment, address, address_relocatable))
        obj_write_load_address(st, address, address_relocatable);

    char tag = 'B';
    int common = 0;
    if (value_relocatable) {
        int seg = segment;
        if (segment_row(seg) > st.segment_count) seg = kProgramSegment;
        if (seg == 0 || seg == kAbsoluteSegment || seg == kProgramSegment || seg == kPsegSegment || seg == kNoSegment) {
            tag = 'C';
        } else if (seg == kDataSegment) {
            tag = 'T';
        } else {
            tag = 'N';
            common = row_of(st, seg).common_number;
        }
    }
    FieldBuilder f(tag);
    f.value(value);
    if (tag == 'N') f.value(static_cast<unsigned>(common));
    if (obj_make_room(st, 66, 12, f.length())) obj_write_load_address(st, address, address_relocatable);
    emit_field(st, f);
    o.position = LoadPosition{true, st.current_segment, address + 2, address_relocatable};
    PlacedBytes& placed = placed_bytes(st);
    for (int i = 0; i < 2; ++i)
        placed.set(static_cast<size_t>((address + i) & 0xFFFF), static_cast<uint8_t>(i == 0 ? value >> 8 : value));
}

void obj_write_operand_word(AssemblerState& st, int address, bool address_relocatable, const OperandValue& v) {
    // An external 0 (the end of a reference chain) is an absolute 0.
    if (v.external && v.value == 0)
        obj_write_word(st, address, address_relocatable, 0, false, v.segment);
    else
        obj_write_word(st, address, address_relocatable, v.value, v.relocatable, v.segment);
}

namespace {

// The byte placed at address in the current segment, else 0.
uint16_t placed_byte(const AssemblerState& st, int address) {
    const PlacedBytes* placed = st.obj.placed[static_cast<size_t>(segment_row(st.current_segment))].get();
    return placed ? placed->get(static_cast<size_t>(address & 0xFFFF)).value_or(0) : 0;
}

}  // namespace

// Every word goes to an even address: a byte at an even address waits for
// the byte after it; one at an odd address is the low half of the word
// below, whose high half keeps what the module placed there.
void obj_write_byte(AssemblerState& st, int address, bool address_relocatable, uint16_t byte, bool byte_relocatable) {
    ObjectWriterState& o = st.obj;
    byte &= 0xFF;
    if (o.pending && (address != o.pending_address + 1 || address_relocatable != o.pending_address_relocatable))
        obj_flush_byte(st);
    if (o.pending) {
        o.pending = false;
        obj_write_word(st, o.pending_address, address_relocatable, static_cast<uint16_t>(o.pending_byte << 8 | byte),
                       o.pending_byte_relocatable, kProgramSegment);
    } else if (address & 1) {
        const int even = address & 0xFFFE;
        obj_write_word(st, even, address_relocatable, static_cast<uint16_t>(placed_byte(st, even) << 8 | byte),
                       byte_relocatable, kProgramSegment);
    } else {
        o.pending = true;
        o.pending_address = address;
        o.pending_address_relocatable = address_relocatable;
        o.pending_byte = byte;
        o.pending_byte_relocatable = byte_relocatable;
    }
}

void obj_flush_byte(AssemblerState& st) {
    ObjectWriterState& o = st.obj;
    if (!o.pending) return;
    o.pending = false;
    const uint16_t word = static_cast<uint16_t>(o.pending_byte << 8 | placed_byte(st, o.pending_address + 1));
    obj_write_word(st, o.pending_address, o.pending_address_relocatable, word, o.pending_byte_relocatable,
                   kProgramSegment);
}

void obj_write_entry(AssemblerState& st, const Symbol* symbol) {
    if (!writing(st) || !symbol) return;
    FieldBuilder f(symbol->has(kRelocatable) ? '2' : '1');
    f.value(symbol->value);
    obj_make_room(st, 66, 12, f.length());
    emit_field(st, f);
}

namespace {

// A DEF or REF field; "W" and "X" add the common number of the symbol's
// segment.
void write_external_field(AssemblerState& st, char tag, uint16_t value, const Symbol& s) {
    FieldBuilder f(tag);
    f.value(value).name(s.name, 6);
    if (tag == 'W' || tag == 'X') f.value(static_cast<unsigned>(row_of(st, s.segment).common_number));
    obj_make_room(st, 56, 5, f.length());
    emit_field(st, f);
}

void obj_write_def(AssemblerState& st, const Symbol& s) {
    char tag = !is_program_like(s.segment) ? 'W' : s.has(kRelocatable) ? '5' : '6';
    write_external_field(st, tag, s.value, s);
}

void obj_write_ref(AssemblerState& st, const Symbol& s) {
    // Head 0 means "never referenced" unless a relocatable word at offset 0
    // was referenced.
    if (s.value == 0 && !(s.referenced && s.has(kRelocatable)))
        write_external_field(st, '4', 0, s);
    else
        write_external_field(st, !is_program_like(s.segment) ? 'X' : s.has(kRelocatable) ? '3' : '4', s.value, s);
}

}  // namespace

void obj_write_externals(AssemblerState& st) {
    if (!writing(st)) return;
    // In declaration order; a name declared again by DEF keeps only its last
    // number, so the table's names are all there is to sort.
    std::vector<const Symbol*> declared;
    for (const Symbol* s : st.symbols.sorted)
        if (s->ref_number > 0) declared.push_back(s);
    std::sort(declared.begin(), declared.end(),
              [](const Symbol* a, const Symbol* b) { return a->ref_number < b->ref_number; });
    for (const Symbol* s : declared) {
        if (s->has(kDefName) && s->has(kDefined))
            obj_write_def(st, *s);
        else if (s->has(kRefName))
            obj_write_ref(st, *s);
    }
    obj_make_room(st, 1, 5, 0);
}

void obj_write_trailer(AssemblerState& st) {
    if (!writing(st)) return;
    std::string out = ":       TARN ";
    out += kVersion;
    st.object_file.append(out);
    write_sequence_end(st, 76 - static_cast<int>(out.size()));
}

}  // namespace tarn
