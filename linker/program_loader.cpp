// .P, .P- and .P+: a program file, or its whole chain, loaded into the image.
#include <algorithm>
#include <vector>

#include "link_message.hpp"
#include "link_state.hpp"
#include "program_file.hpp"
#include "platform/paths.hpp"

namespace fell {
namespace {

enum class Next { more, done };

// Loads one file of a chain; done when the chain ends here or a fault ends it.
Next load_one(LinkState& s, const std::string& file_name) {
    if (s.verbose) print(s, "    Inputfile = <%s>\n", file_name.c_str());
    OpenFailure why;
    std::unique_ptr<InputStream> file = s.files.open_read(file_name, why);
    if (!file) {
        report_open_failure(s, why);
        link_message(s, "Can't open input file <%s>\n", file_name.c_str());
        return Next::done;
    }
    ByteReader in(*file);
    // The data end where the V9T9 header's sector count says the file ends.
    unsigned present_limit = 0x10000;
    if (s.v9t9_on_load) {
        V9t9Header h;
        if (in.read(h.data(), h.size()) != h.size()) {
            link_message(s, "Can't read V9T9 header\n");
            return Next::done;
        }
        if (!is_v9t9_program_header(h)) {
            link_message(s, "File does't have a correct V9T9 program file header\n");
            return Next::done;
        }
        const unsigned content = v9t9_content_size(h);
        if (content >= kProgramHeaderSize) present_limit = content - kProgramHeaderSize;
    }
    uint8_t h[kProgramHeaderSize];
    if (in.read(h, sizeof h) != sizeof h) {
        link_message(s, "Can't read program file header\n");
        return Next::done;
    }
    const uint16_t flag = static_cast<uint16_t>(h[0] << 8 | h[1]);
    const unsigned length = static_cast<unsigned>(h[2] << 8 | h[3]);
    const uint16_t load = static_cast<uint16_t>(h[4] << 8 | h[5]);
    if (s.verbose) print(s, "    Flag >%04X, Adres >%04X, Size >%04X\n", flag, load, length);
    // The length counts the 6 header bytes (as the Editor/Assembler's SAVE
    // and fell write it) or, in older files, the data alone: the data are
    // the bytes present, up to the length.
    std::vector<uint8_t> data(std::min(length, present_limit));
    const size_t got = in.read(data.data(), data.size());
    const bool header_counted = length >= kProgramHeaderSize && got == length - kProgramHeaderSize;
    if (got < length && !header_counted && !(s.ignore_short_read && length - got <= kProgramHeaderSize))
        link_message(s, "Only >%04X bytes read\n", static_cast<unsigned>(got));
    unsigned count = static_cast<unsigned>(got);
    if (load + count > 0x10000) {
        count = 0x10000 - load;
        link_message(s, "Programfile to large, only >%04X bytes read\n", count);
    }
    std::copy_n(data.begin(), count, s.image.bytes.begin() + load);
    if (s.loaded_files.size() < kMaxFileRecords)
        s.loaded_files.push_back({record_name(name_part(file_name)), load, static_cast<uint16_t>(count)});
    return flag == kTiLast || flag == kGeneveLast ? Next::done : Next::more;
}

}  // namespace

void load_program_command(LinkState& s, std::string_view args, bool v9t9) {
    s.v9t9_on_load = v9t9;
    std::string word;
    if (read_token(args, word) == 0) return;
    std::string file_name = resolve_file_name(s, word);
    if (s.verbose) print(s, "\n*** Loading program file ...\n");
    while (load_one(s, file_name) == Next::more) {
        if (!platform::count_up_name(file_name)) {
            link_message(s, "Can't open input file <%s>\n", file_name.c_str());
            return;
        }
    }
}

}  // namespace fell
