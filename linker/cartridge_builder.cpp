#include "cartridge_builder.hpp"

#include <algorithm>
#include <cstring>
#include <vector>

#include "link_message.hpp"
#include "link_state.hpp"
#include "platform/paths.hpp"

namespace fell {
namespace {

constexpr unsigned kRomStart = 0x6000;
constexpr unsigned kRomEnd = 0x8000;  // one past the ROM area
constexpr unsigned kBankSize = kRomEnd - kRomStart;
constexpr unsigned kMaxBanks = 4;

struct MemorySum {
    unsigned start = 0;
    unsigned size = 0;
};

struct Slice {
    unsigned size;
    unsigned destination;
};

// Loaded files with load addresses in [low, high].
MemorySum sum_loaded(const LinkState& s, unsigned low, unsigned high) {
    MemorySum sum;
    bool any = false;
    for (const LoadedFileRecord& r : s.loaded_files) {
        if (r.load_address < low || r.load_address > high) continue;
        sum.start = any ? std::min<unsigned>(sum.start, r.load_address) : r.load_address;
        sum.size += r.size;
        any = true;
    }
    return sum;
}

void slice(const MemorySum& range, unsigned buffer_size, std::vector<Slice>& slices) {
    for (unsigned offset = 0; offset < range.size; offset += buffer_size)
        slices.push_back({std::min(buffer_size, range.size - offset), range.start + offset});
}

bool in_rom(unsigned a) { return a >= kRomStart && a < kRomEnd; }

class CartridgeBuild {
public:
    explicit CartridgeBuild(LinkState& s) : s_(s) {}

    void run(std::string_view args) {
        std::string word;
        size_t pos = read_token(args, word);
        if (pos == 0) return;
        file_name_ = resolve_file_name(s_, word);
        if (s_.verbose) print(s_, "\n*** Creating cartridge file ...\n");
        list_unresolved(s_, true);
        if (!read_arguments(args, pos) || !check_memory()) return;
        if (has_bank_id_) s_.image.set_word(table_, bank_id_);
        report_settings();

        OpenFailure why;
        std::unique_ptr<OutputStream> out = s_.files.create(file_name_, why);
        if (!out) {
            report_open_failure(s_, why);
            link_message(s_, "Can't open output file <%s>\n", file_name_.c_str());
            return;
        }
        if (slices_.empty())
            write_without_program(*out);
        else
            write_program(*out);
        out->close();
        if (s_.created_files.size() < kMaxFileRecords) {
            platform::PathParts p = platform::split_path(file_name_);
            s_.created_files.push_back({record_name(p.name + p.extension), static_cast<uint16_t>(lo_.start),
                                        static_cast<uint16_t>(lo_.size), static_cast<uint16_t>(hi_.start),
                                        static_cast<uint16_t>(hi_.size)});
        }
    }

private:
    bool read_arguments(std::string_view args, size_t pos) {
        uint16_t v;
        skip_white(args, pos);
        if (!parse_name_or_address(s_, args, pos, v)) return false;
        table_ = v;
        if (!in_rom(table_)) {
            link_message(s_, "*** Cartridge table address out of range <%04X>\n", table_);
            return false;
        }
        skip_white(args, pos);
        if (!parse_name_or_address(s_, args, pos, v)) return false;
        buffer_ = (v + 1u) & ~1u;
        if (!in_rom(buffer_)) {
            link_message(s_, "*** Cartridge buffer address out of range <%04X>\n", buffer_ & 0xFFFF);
            return false;
        }
        skip_white(args, pos);
        if (pos < args.size()) {
            if (!parse_name_or_address(s_, args, pos, v)) return false;
            if (v % 2 != 0 || !in_rom(v)) {
                link_message(s_, "*** Cartridge bankid out of range <%04X>\n", v);
                return false;
            }
            bank_id_ = v;
            has_bank_id_ = true;
        }
        return true;
    }

    bool check_memory() {
        lo_ = sum_loaded(s_, 0x2000, 0x3FFF);
        hi_ = sum_loaded(s_, 0xA000, 0xFFFF);
        // Ends are exclusive: a range may fill its area to the last byte.
        if (lo_.start + lo_.size > 0x4000) {
            link_message(s_, "*** Cartridge LO-MEM out of bounds <start=%04X, end=%04X>\n", lo_.start,
                         lo_.start + lo_.size);
            return false;
        }
        if (hi_.start + hi_.size > 0x10000) {
            link_message(s_, "*** Cartridge HI-MEM out of bounds <start=%04X, end=%04X>\n", hi_.start,
                         hi_.start + hi_.size);
            return false;
        }
        const unsigned buffer_size = kRomEnd - buffer_;
        slice(lo_, buffer_size, slices_);
        slice(hi_, buffer_size, slices_);
        if (slices_.size() > kMaxBanks) {
            link_message(s_, "*** Too many banks <%d> used by program, maximum allowed is <%d>\n",
                         static_cast<int>(slices_.size()), static_cast<int>(kMaxBanks));
            return false;
        }
        return true;
    }

    void report_settings() {
        if (!s_.verbose) return;
        print(s_, "    BankId  >%04X\n", s_.image.word(static_cast<uint16_t>(table_)));
        print(s_, "    Table   address >%04X\n", table_);
        print(s_, "    Buffer  start address >%04X, size >%04X bytes\n", buffer_, kRomEnd - buffer_);
        print(s_, "    LO-Mem  start address >%04X, size >%04X bytes\n", lo_.start, lo_.size);
        print(s_, "    HI-Mem  start address >%04X, size >%04X bytes\n", hi_.start, hi_.size);
        print(s_, "    Outputfile = <%s>\n", file_name_.c_str());
    }

    void clear_buffer() { std::fill(s_.image.bytes.begin() + buffer_, s_.image.bytes.begin() + kRomEnd, 0); }

    void write_bank(OutputStream& out) {
        if (short_write_) return;
        size_t n = out.write(s_.image.bytes.data() + kRomStart, kBankSize);
        written_ += n;
        if (n != kBankSize) {
            link_message(s_, "Only >%04X bytes written\n", static_cast<unsigned>(written_));
            short_write_ = true;
        }
    }

    void write_filler(OutputStream& out) {
        clear_buffer();
        write_bank(out);
    }

    void write_data(OutputStream& out, const Slice& sl) {
        clear_buffer();
        std::memmove(s_.image.bytes.data() + buffer_, s_.image.bytes.data() + sl.destination, sl.size);
        write_bank(out);
    }

    void write_without_program(OutputStream& out) {
        for (unsigned i = 0; i < kMaxBanks; ++i) write_filler(out);
    }

    void write_program(OutputStream& out) {
        const uint16_t table = static_cast<uint16_t>(table_);
        const uint16_t start = s_.loaded_files.front().load_address;
        s_.image.set_word(static_cast<uint16_t>(table + 2), start);
        for (size_t k = 0; k < slices_.size(); ++k) {
            const Slice& sl = slices_[k];
            s_.image.set_word(static_cast<uint16_t>(table + 4 + 4 * k), static_cast<uint16_t>(sl.size));
            s_.image.set_word(static_cast<uint16_t>(table + 6 + 4 * k), static_cast<uint16_t>(sl.destination));
            if (s_.verbose)
                print(s_, "    Segment start address >%04X, size >%04X bytes\n", sl.destination, sl.size);
        }
        if (s_.verbose) {
            print(s_, "    Program start address >%04X\n", start);
            print(s_, "    Total number of banks %d\n", static_cast<int>(slices_.size()));
        }
        const size_t fillers = kMaxBanks - slices_.size();
        if (s_.cartridge_inverted) {
            for (size_t i = 0; i < fillers; ++i) write_filler(out);
            for (size_t k = slices_.size(); k-- > 0;) write_data(out, slices_[k]);
        } else {
            for (const Slice& sl : slices_) write_data(out, sl);
            for (size_t i = 0; i < fillers; ++i) write_filler(out);
        }
    }

    LinkState& s_;
    std::string file_name_;
    unsigned table_ = 0;
    unsigned buffer_ = 0;
    uint16_t bank_id_ = 0;
    bool has_bank_id_ = false;
    MemorySum lo_, hi_;
    std::vector<Slice> slices_;
    size_t written_ = 0;
    bool short_write_ = false;
};

}  // namespace

void cartridge_command(LinkState& s, std::string_view args) { CartridgeBuild(s).run(args); }

}  // namespace fell
