// The table of external names: definitions and still unresolved references,
// with immediate resolution of reference chains in the memory image.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace fell {

struct LinkState;

inline constexpr size_t kMaxRefDefEntries = 512;
inline constexpr size_t kMaxNameLength = 6;
inline constexpr unsigned kMaxChainSteps = 32768;

struct RefDefEntry {
    std::string name;    // empty: deleted
    uint16_t value = 0;  // DEF: address; REF: head of the reference chain
    bool defined = false;
};

struct RefDefTable {
    std::vector<RefDefEntry> slots;                  // in order of entry, deleted ones included
    std::unordered_map<std::string, size_t> live;    // name -> slot of the live entry
    std::vector<uint32_t> visit_mark;                // per address: walk that last visited it
    uint32_t walk = 0;
};

// Adds or merges an entry; may resolve or join reference chains. Sets
// LinkState::fatal when the table is full.
void refdef_insert(LinkState& s, RefDefEntry entry);

// The live entry of that name, or null.
RefDefEntry* refdef_find(RefDefTable& table, std::string_view name);

// Follows a chain; false (after reporting it) when the chain loops. On
// success end is the address of the word holding 0.
bool chain_end(LinkState& s, uint16_t head, const std::string& name, uint16_t& end);

// Stores value into every word of the chain.
void resolve_chain(LinkState& s, uint16_t head, uint16_t value, const std::string& name);

// Number of unresolved entries; with report they are listed as errors.
unsigned list_unresolved(LinkState& s, bool report);

// Reads one argument of .S or .M at pos (blanks already skipped): a name of
// the table or ">" and hexadecimal digits. On success pos moves past it.
bool parse_name_or_address(LinkState& s, std::string_view text, size_t& pos, uint16_t& value);

// Commands .A, .D and .R.
void define_name(LinkState& s, std::string_view args);
void delete_name(LinkState& s, std::string_view args);
void display_table(LinkState& s);

// The entries of the table in rows of five, as .R and the map show them.
std::string format_entry(const RefDefEntry& e);

}  // namespace fell
