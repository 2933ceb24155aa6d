// .S: address ranges of the image written as chains of program files.
#include <algorithm>
#include <vector>

#include "link_message.hpp"
#include "link_state.hpp"
#include "program_file.hpp"
#include "platform/paths.hpp"

namespace fell {
namespace {

struct Range {
    uint16_t first;
    uint16_t last;
};

// Complete pairs up to the first argument that is missing or fails.
std::vector<Range> parse_pairs(LinkState& s, std::string_view text) {
    std::vector<Range> pairs;
    size_t pos = 0;
    uint16_t first, last;
    skip_white(text, pos);
    if (!parse_name_or_address(s, text, pos, first)) return pairs;
    for (;;) {
        skip_white(text, pos);
        if (!parse_name_or_address(s, text, pos, last)) break;
        pairs.push_back({first, last});
        skip_white(text, pos);
        if (!parse_name_or_address(s, text, pos, first)) break;
    }
    return pairs;
}

class ChainWriter {
public:
    ChainWriter(LinkState& s, std::string file_name) : s_(s), file_name_(std::move(file_name)) {}

    // Writes first..last-1; false when the command must stop.
    bool write_range(Range r, bool last_pair) {
        const unsigned limit = s_.program_header ? kMaxDataWithHeader : kMaxDataWithoutHeader;
        uint16_t first = r.first;
        while (first < r.last) {
            unsigned remaining = r.last - first;
            uint16_t size = static_cast<uint16_t>(std::min(remaining, limit));
            bool is_last = remaining <= limit && last_pair;
            uint16_t flag = s_.geneve_header ? (is_last ? kGeneveLast : kGeneveMore) : (is_last ? kTiLast : kTiMore);
            if (!write_file(flag, first, size)) return false;
            first = static_cast<uint16_t>(first + size);
        }
        return true;
    }

private:
    bool write_file(uint16_t flag, uint16_t first, uint16_t size) {
        if (s_.verbose) {
            print(s_, "    Outputfile = <%s>\n", file_name_.c_str());
            print(s_, "    Flag >%04X, Adres >%04X, Size >%04X\n", flag, first, size);
        }
        OpenFailure why = OpenFailure::failed;
        std::unique_ptr<OutputStream> out = name_usable_ ? s_.files.create(file_name_, why) : nullptr;
        if (!out) {
            report_open_failure(s_, why);
            link_message(s_, "Can't open output file <%s>\n", file_name_.c_str());
            return false;
        }
        const std::string name = name_part(file_name_);
        // Sector counts cover the bytes actually written after the V9T9 header.
        const unsigned counted = size + (s_.program_header ? kProgramHeaderSize : 0);
        if (s_.v9t9_on_save) {
            V9t9Header h = make_v9t9_header(name, counted);
            if (out->write(h.data(), h.size()) != h.size()) return header_failed(*out);
        }
        if (s_.program_header) {
            // The length word counts the header: the Editor/Assembler's
            // loader moves length - 6 bytes.
            const unsigned length = size + kProgramHeaderSize;
            const uint8_t h[kProgramHeaderSize] = {
                static_cast<uint8_t>(flag >> 8),   static_cast<uint8_t>(flag),
                static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length),
                static_cast<uint8_t>(first >> 8),  static_cast<uint8_t>(first)};
            if (out->write(h, sizeof h) != sizeof h) return header_failed(*out);
        }
        size_t written = out->write(s_.image.bytes.data() + first, size);
        if (written != size) link_message(s_, "Only >%04X bytes written\n", static_cast<unsigned>(written));
        if (s_.v9t9_on_save && counted % 256 != 0) {
            static const uint8_t zeros[256] = {};
            out->write(zeros, 256 - counted % 256);
        }
        out->close();
        if (s_.created_files.size() < kMaxFileRecords)
            s_.created_files.push_back({record_name(name), first, size, 0, 0});
        name_usable_ = platform::count_up_name(file_name_);
        return true;
    }

    bool header_failed(OutputStream& out) {
        link_message(s_, "Can't write program file header\n");
        out.close();
        return false;
    }

    LinkState& s_;
    std::string file_name_;
    bool name_usable_ = true;
};

}  // namespace

void save_command(LinkState& s, std::string_view args) {
    std::string word;
    size_t used = read_token(args, word);
    if (used == 0) return;
    if (s.verbose) print(s, "\n*** Creating program file ...\n");
    list_unresolved(s, true);
    std::vector<Range> pairs = parse_pairs(s, args.substr(used));
    ChainWriter writer(s, resolve_file_name(s, word));
    for (size_t i = 0; i < pairs.size(); ++i)
        if (!writer.write_range(pairs[i], i + 1 == pairs.size())) return;
}

}  // namespace fell
