#include "symbol_table.hpp"

#include <algorithm>

#include "char_classes.hpp"
#include "errors.hpp"
#include "listing_writer.hpp"
#include "text_format.hpp"

namespace tarn {
namespace {

// A name of at most 7 characters as one number: its bytes and its length.
uint64_t name_key(std::string_view name) {
    uint64_t key = name.size();
    for (char c : name) key = key << 8 | static_cast<unsigned char>(c);
    return key;
}

// Index of the slot holding the key, or of the empty slot where it would go.
size_t slot_of(const SymbolTable& t, uint64_t key) {
    const size_t mask = t.slots.size() - 1;
    size_t i = static_cast<size_t>((key * 0x9E3779B97F4A7C15u) >> 40) & mask;
    while (t.slots[i] && t.slots[i]->key != key) i = (i + 1) & mask;
    return i;
}

// Position of the first name not smaller than name.
std::vector<Symbol*>::const_iterator lower(const SymbolTable& t, std::string_view name) {
    return std::lower_bound(t.sorted.begin(), t.sorted.end(), name,
                            [](const Symbol* s, std::string_view n) { return std::string_view(s->name) < n; });
}

}  // namespace

void sym_clear(AssemblerState& st) {
    st.symbols.records.clear();
    st.symbols.sorted.clear();
    st.symbols.sorted.reserve(kMaxSymbols);
    std::fill(st.symbols.slots.begin(), st.symbols.slots.end(), nullptr);
}

Symbol* sym_find(const AssemblerState& st, std::string_view name) {
    if (name.size() > kStoredNameLength) return nullptr;  // no record holds it
    return st.symbols.slots[slot_of(st.symbols, name_key(name))];
}

Symbol* sym_add(AssemblerState& st, std::string_view name) {
    if (name.size() > kStoredNameLength) name = name.substr(0, kStoredNameLength);
    const uint64_t key = name_key(name);
    const size_t slot = slot_of(st.symbols, key);
    if (st.symbols.slots[slot]) return nullptr;
    if (st.symbols.sorted.size() + 1 > static_cast<size_t>(kMaxSymbols)) {
        lst_error(st, kFatalSymbolOverflow, st.line_number);
        fatal_exit(st, 12);
    }
    Symbol& s = st.symbols.records.emplace_back();
    s.name = std::string(name);
    s.key = key;
    st.symbols.slots[slot] = &s;
    st.symbols.sorted.insert(lower(st.symbols, name), &s);
    return &s;
}

void sym_define_registers(AssemblerState& st) {
    for (int n = 0; n < 16; ++n) {
        char name[4] = {'R', static_cast<char>(n < 10 ? '0' + n : '1'), static_cast<char>(n < 10 ? 0 : '0' + n - 10), 0};
        Symbol* s = sym_add(st, name);
        if (!s) continue;
        s->value = static_cast<uint16_t>(n);
        s->segment = 0;
        s->ref_number = 0;
        s->flags = kDefined;
    }
}

void sym_console_dump(AssemblerState& st) {
    std::string out;
    size_t n = 0;
    for (const Symbol* s : st.symbols.sorted) {
        char mark = ' ';
        if (s->has(kRelocatable)) mark = '\'';
        if (!s->has(kDefined)) mark = 'U';
        if (s->has(kAbsoluteOrigin)) mark = '+';
        if (s->has(kDefName)) mark = 'D';
        if (s->has(kRefName)) mark = 'E';
        if (s->has(kDxopName)) mark = 'X';
        put_symbol_entry(out, mark, *s);
        out += ' ';
        if (++n % 4 == 0 || n == st.symbols.sorted.size()) out += '\n';
    }
    st.con.out << out;
}

void put_symbol_entry(std::string& out, char mark, const Symbol& s) {
    out += "  ";
    out += mark;
    out += ' ';
    put_padded(out, s.name, 6);
    out += "  ";
    put_hex4(out, s.value);
}

int check_symbol_name(std::string& name) {
    if (name.empty() || !is_letter(name[0])) return kSyntaxError;
    int result = 0;
    for (size_t i = 1; i < name.size(); ++i) {
        if (!is_name_char(name[i])) {
            name.resize(i);
            result = kSyntaxError;
            break;
        }
    }
    if (name.size() > 6) {
        name.resize(6);
        result = kSymbolTruncation;
    }
    return result;
}

}  // namespace tarn
