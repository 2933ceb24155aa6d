#include "ref_def_table.hpp"

#include <cstdio>

#include "link_message.hpp"
#include "link_state.hpp"

namespace fell {
namespace {

// Visits the words of the chain from head, calling visit(address) after the
// next address has been taken from the word. False when the chain comes back
// to a word already visited or runs too long; nothing is visited twice.
template <class Visit>
bool walk_chain(LinkState& s, uint16_t head, const std::string& name, Visit visit) {
    RefDefTable& t = s.refdefs;
    if (t.visit_mark.empty()) t.visit_mark.assign(65536, 0);
    if (++t.walk == 0) {
        t.visit_mark.assign(65536, 0);
        t.walk = 1;
    }
    unsigned steps = 0;
    for (uint16_t a = head; a != 0;) {
        if (t.visit_mark[a] == t.walk || steps == kMaxChainSteps) {
            link_message(s, "*** Reference chain loop <%s>\n", name.c_str());
            return false;
        }
        t.visit_mark[a] = t.walk;
        ++steps;
        uint16_t next = s.image.word(a);
        visit(a);
        a = next;
    }
    return true;
}

void append_entry(LinkState& s, RefDefEntry entry) {
    RefDefTable& t = s.refdefs;
    if (t.slots.size() >= kMaxRefDefEntries) {
        link_message(s, "*** REF/DEF table overflow\n");
        s.fatal = true;
        return;
    }
    if (!entry.name.empty()) t.live[entry.name] = t.slots.size();
    t.slots.push_back(std::move(entry));
}

}  // namespace

RefDefEntry* refdef_find(RefDefTable& table, std::string_view name) {
    if (name.empty() || name.size() > kMaxNameLength) return nullptr;
    auto it = table.live.find(std::string(name));
    return it == table.live.end() ? nullptr : &table.slots[it->second];
}

bool chain_end(LinkState& s, uint16_t head, const std::string& name, uint16_t& end) {
    end = head;
    return walk_chain(s, head, name, [&](uint16_t a) { end = a; });
}

void resolve_chain(LinkState& s, uint16_t head, uint16_t value, const std::string& name) {
    walk_chain(s, head, name, [&](uint16_t a) { s.image.set_word(a, value); });
}

void refdef_insert(LinkState& s, RefDefEntry n) {
    RefDefEntry* e = refdef_find(s.refdefs, n.name);
    if (!e) {
        append_entry(s, std::move(n));
        return;
    }
    if (e->defined && n.defined) {
        link_message(s, "*** Multiple definition <%6.6s> in TI-File, line %d\n", n.name.c_str(), s.line_number);
    } else if (!e->defined && !n.defined) {
        if (e->value == n.value || n.value == 0) return;
        uint16_t end;
        if (!chain_end(s, n.value, n.name, end)) return;
        s.image.set_word(end, e->value);
        e->value = n.value;
    } else if (e->defined) {
        resolve_chain(s, n.value, e->value, n.name);
    } else {
        resolve_chain(s, e->value, n.value, e->name);
        e->value = n.value;
        e->defined = true;
    }
}

unsigned list_unresolved(LinkState& s, bool report) {
    unsigned count = 0;
    for (const RefDefEntry& e : s.refdefs.slots) {
        if (e.name.empty() || e.defined) continue;
        if (report) {
            if (count == 0) link_message(s, "The following references are unresolved:\n\n");
            link_message(s, " %-6.6s ", e.name.c_str());
            if ((count + 1) % 9 == 0) link_message(s, "\n");
        }
        ++count;
    }
    if (report && count % 9 != 0) link_message(s, "\n");
    return count;
}

bool parse_name_or_address(LinkState& s, std::string_view text, size_t& pos, uint16_t& value) {
    if (pos >= text.size()) return false;
    if (text[pos] == '>') {
        size_t i = pos + 1;
        if (i >= text.size() || is_white(text[i])) {
            link_message(s, "*** Not a hexadecimal value\n");
            return false;
        }
        unsigned v = 0;
        for (; i < text.size() && hex_value(text[i]) >= 0; ++i)
            v = (v << 4 | static_cast<unsigned>(hex_value(text[i]))) & 0xFFFF;
        value = static_cast<uint16_t>(v);
        pos = i;
        return true;
    }
    size_t end = pos;
    while (end < text.size() && !is_white(text[end])) ++end;
    if (end == pos) return false;
    std::string word(text.substr(pos, end - pos));
    RefDefEntry* e = refdef_find(s.refdefs, word);
    if (!e) {
        link_message(s, "*** Entry <%s> not found in REF/DEF table\n", word.c_str());
        return false;
    }
    value = e->value;
    pos = end;
    return true;
}

void define_name(LinkState& s, std::string_view args) {
    std::string word;
    if (read_token(args, word) == 0) return;
    refdef_insert(s, RefDefEntry{word.substr(0, kMaxNameLength), s.location_counter, true});
}

void delete_name(LinkState& s, std::string_view args) {
    std::string word;
    if (read_token(args, word) == 0) return;
    RefDefEntry* e = refdef_find(s.refdefs, word);
    if (!e) {
        print(s, "*** Entry <%s> not found in REF/DEF table\n", word.c_str());
    } else if (!e->defined) {
        print(s, "*** Entry <%s> not deleted because it is a REF\n", word.c_str());
    } else {
        s.refdefs.live.erase(e->name);
        e->name.clear();
        print(s, "*** Entry <%s> deleted from REF/DEF table\n", word.c_str());
    }
}

std::string format_entry(const RefDefEntry& e) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%c%-6.6s >%04X  ", e.defined ? ' ' : '*', e.name.c_str(), e.value);
    return buf;
}

void display_table(LinkState& s) {
    print(s, "REF/DEF table %u entries, %u unresolved references.\n\n",
          static_cast<unsigned>(s.refdefs.slots.size()), list_unresolved(s, false));
    unsigned shown = 0;
    unsigned lines = 2;
    for (const RefDefEntry& e : s.refdefs.slots) {
        if (e.name.empty()) continue;
        s.con.out << format_entry(e);
        if (++shown % 5 != 0) continue;
        s.con.out << '\n';
        if (++lines == 22) {
            s.con.out << "\nPause, press any key ..." << std::flush;
            s.con.in.get();
            s.con.out << '\n';
            lines = 0;
        }
    }
    s.con.out << "\n\n";
    if (s.loaded_files.empty()) return;
    print(s, "PGM files: %u modules loaded.\n\n", static_cast<unsigned>(s.loaded_files.size()));
    for (const LoadedFileRecord& r : s.loaded_files)
        print(s, "%-10.10s: Address >%04X  Size >%04X\n", r.name.c_str(), r.load_address, r.size);
    print(s, "\n");
}

}  // namespace fell
