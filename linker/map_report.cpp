#include "map_report.hpp"

#include <algorithm>
#include <cstdio>

#include "link_state.hpp"

namespace fell {
namespace {

template <class... Args>
void append(std::string& out, const char* format, Args... args) {
    char buf[256];
    int n = std::snprintf(buf, sizeof buf, format, args...);
    if (n > 0) out.append(buf, std::min<size_t>(static_cast<size_t>(n), sizeof buf - 1));
}

bool name_less(const RefDefEntry* a, const RefDefEntry* b) {
    // Byte order, as unsigned characters; a prefix sorts first.
    return std::lexicographical_compare(a->name.begin(), a->name.end(), b->name.begin(), b->name.end(),
                                        [](char x, char y) {
                                            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
                                        });
}

}  // namespace

std::string map_report(const LinkState& s) {
    std::string out;
    if (!s.created_files.empty()) {
        append(out, "Created files (%u):\n\n", static_cast<unsigned>(s.created_files.size()));
        for (const CreatedFileRecord& r : s.created_files) {
            if (r.hi_start == 0 && r.hi_size == 0)
                append(out, " %-15.15s: Startaddres: >%04X Size: >%04X\n", r.name.c_str(), r.start, r.size);
            else
                append(out, " %-15.15s: Startaddres LO-MEM: >%04X Size: >%04X  HI-MEM: >%04X Size: >%04X\n",
                       r.name.c_str(), r.start, r.size, r.hi_start, r.hi_size);
        }
        out += "\n\n";
    }
    if (!s.loaded_files.empty()) {
        append(out, "Loaded files (%u):\n\n", static_cast<unsigned>(s.loaded_files.size()));
        for (const LoadedFileRecord& r : s.loaded_files)
            append(out, " %-15.15s: Startaddres: >%04X Size: >%04X\n", r.name.c_str(), r.load_address, r.size);
        out += "\n\n";
    }
    std::vector<const RefDefEntry*> sorted;
    unsigned unresolved = 0;
    for (const RefDefEntry& e : s.refdefs.slots) {
        if (e.name.empty()) continue;
        sorted.push_back(&e);
        if (!e.defined) ++unresolved;
    }
    std::stable_sort(sorted.begin(), sorted.end(), name_less);
    append(out, "REF/DEF table %u entries, %u unresolved references.\n\n",
           static_cast<unsigned>(s.refdefs.slots.size()), unresolved);
    for (size_t i = 0; i < sorted.size(); ++i) {
        out += format_entry(*sorted[i]);
        if ((i + 1) % 5 == 0) out += '\n';
    }
    out += "\n\n";
    return out;
}

}  // namespace fell
