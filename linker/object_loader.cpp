#include "object_loader.hpp"

#include <cstring>

#include "link_message.hpp"
#include "link_state.hpp"

namespace fell {
namespace {

constexpr size_t kCardSize = 80;
constexpr uint8_t kCompressedHeaderTag = 0x01;

enum class FieldResult { more, end_of_record, stop };

// One load of one object file.
class ObjectLoad {
public:
    ObjectLoad(LinkState& s, ByteReader& in, bool text_mode) : s_(s), in_(in), text_mode_(text_mode) {}

    void run() {
        while (!s_.fatal && next_record()) {
            if (ended_) break;
            ++s_.line_number;
            pos_ = 0;
            FieldResult r;
            do r = field();
            while (r == FieldResult::more && !s_.fatal);
            if (r == FieldResult::stop) break;
        }
    }

private:
    bool next_record() {
        if (text_mode_) {
            return in_.read_line(record_, kMaxMessage);
        }
        int c;
        do c = in_.get();
        while (c == '\r' || c == '\n');
        if (c < 0) return false;
        record_.assign(1, static_cast<char>(c));
        return in_.read(record_, kCardSize - 1) == kCardSize - 1;
    }

    uint8_t byte_at(size_t i) const { return i < record_.size() ? static_cast<uint8_t>(record_[i]) : 0; }

    uint8_t take(bool summed = true) {
        uint8_t c = byte_at(pos_++);
        if (summed) sum_ = static_cast<uint16_t>(sum_ + c);
        return c;
    }

    uint16_t value(bool summed = true) {
        if (compressed_) {
            uint16_t high = take(summed);
            return static_cast<uint16_t>(high << 8 | take(summed));
        }
        unsigned v = 0;
        bool digits = true;
        for (int i = 0; i < 4; ++i) {
            int d = hex_value(static_cast<char>(take(summed)));
            if (d < 0) digits = false;
            if (digits) v = v << 4 | static_cast<unsigned>(d);
        }
        return static_cast<uint16_t>(v);
    }

    // A name field of that width; the name is its leading run of non-blanks.
    std::string name(size_t width) {
        std::string n;
        bool in_name = true;
        for (size_t i = 0; i < width; ++i) {
            uint8_t c = take();
            if (c <= ' ') in_name = false;
            if (in_name) n += static_cast<char>(c);
        }
        return n;
    }

    uint16_t relocated(uint16_t v) const { return static_cast<uint16_t>(v + s_.origin); }

    FieldResult stop_with(const char* format) {
        link_message(s_, format, s_.line_number);
        return FieldResult::stop;
    }

    void header() {
        uint16_t size = value();
        std::string module;
        bool in_name = true;
        for (int i = 0; i < 8; ++i) {
            uint8_t c = take();
            if (c == 0) in_name = false;
            if (in_name) module += static_cast<char>(c);
        }
        if (!s_.verbose) return;
        print(s_, "    Module name          = <%s>\n", module.c_str());
        print(s_, "    Module size          = <%04X>\n", size);
    }

    void store_word(uint16_t v) {
        if (s_.names_only) return;
        s_.image.set_word(s_.location_counter, v);
        s_.location_counter = static_cast<uint16_t>(s_.location_counter + 2);
    }

    FieldResult field() {
        size_t tag_pos = pos_;
        uint8_t tag = byte_at(pos_);
        take(tag != '7' && tag != 'I');
        switch (tag) {
        case kCompressedHeaderTag:
            compressed_ = true;
            header();
            break;
        case '0':
            compressed_ = false;
            header();
            break;
        case '1': {
            uint16_t v = value();
            if (s_.verbose) print(s_, "    Abs. entry address   = <%04X>\n", v);
            break;
        }
        case '2': {
            uint16_t v = value();
            if (s_.verbose) print(s_, "    Rel. entry address   = <%04X>\n", v);
            break;
        }
        case '3':
        case '4': {
            uint16_t v = value();
            std::string n = name(kMaxNameLength);
            uint16_t head = tag == '3' ? relocated(v) : v;
            if (!s_.names_only && head != 0) refdef_insert(s_, RefDefEntry{n, head, false});
            break;
        }
        case '5':
        case '6': {
            uint16_t v = value();
            std::string n = name(kMaxNameLength);
            refdef_insert(s_, RefDefEntry{n, tag == '5' ? relocated(v) : v, true});
            break;
        }
        case '7': {
            uint16_t v = value(false);
            if (static_cast<uint16_t>(sum_ + '7' + v) != 0) return stop_with("*** Checksum error in TI-File, line %d\n");
            sum_ = 0;  // each checksum covers the fields after the one before
            break;
        }
        case '8':
            value();
            break;
        case '9': {
            uint16_t v = value();
            if (!s_.absolute_mode) s_.saved_location = s_.location_counter;
            s_.absolute_mode = true;
            s_.location_counter = v;
            address_seen_ = true;
            break;
        }
        case 'A':
            s_.absolute_mode = false;
            s_.location_counter = relocated(value());
            address_seen_ = true;
            break;
        case 'B':
        case 'C': {
            uint16_t v = value();
            if (!address_seen_) return stop_with("*** No startaddress in TI-File, line %d\n");
            store_word(tag == 'C' ? relocated(v) : v);
            break;
        }
        case 'F':
            sum_ = 0;
            return FieldResult::end_of_record;
        case ':':
            ended_ = true;
            return FieldResult::end_of_record;
        case 'I':
            for (int i = 0; i < 4; ++i) take(false);
            break;
        default: {
            char shown[6] = {};
            for (size_t i = 0; i < 5; ++i) shown[i] = static_cast<char>(byte_at(tag_pos + i));
            link_message(s_, "*** Indefined tag <%5.5s> in TI-File, line %d\n", shown, s_.line_number);
            return FieldResult::stop;
        }
        }
        return FieldResult::more;
    }

    LinkState& s_;
    ByteReader& in_;
    bool text_mode_;
    bool compressed_ = false;
    uint16_t sum_ = 0;
    bool address_seen_ = false;
    bool ended_ = false;
    std::string record_;
    size_t pos_ = 0;
};

}  // namespace

void load_object_file(LinkState& s, const std::string& file_name) {
    if (s.verbose) {
        print(s, "\n*** Loading object file ...\n");
        print(s, "    Inputfile = <%s>\n", file_name.c_str());
    }
    OpenFailure why;
    std::unique_ptr<InputStream> file = s.files.open_read(file_name, why);
    if (!file) {
        report_open_failure(s, why);
        link_message(s, "Can't open input file <%s>\n", file_name.c_str());
        return;
    }
    ByteReader in(*file);
    std::string first;
    if (!in.read_line(first, kMaxMessage) || !in.rewind()) {
        link_message(s, "Can't read input file <%s>\n", file_name.c_str());
        return;
    }
    // A compressed file holds raw bytes that may look like line feeds.
    bool text_mode = first.find('\n') != std::string::npos && static_cast<uint8_t>(first[0]) != kCompressedHeaderTag;

    s.saved_location = s.origin;
    s.absolute_mode = true;
    s.line_number = 0;
    ObjectLoad(s, in, text_mode).run();
    if (!s.absolute_mode) {
        s.saved_location = s.location_counter;
        s.origin = s.location_counter;
    } else {
        s.origin = s.saved_location;
    }
}

void load_command(LinkState& s, std::string_view args) {
    std::string word;
    if (read_token(args, word) == 0) return;
    load_object_file(s, resolve_file_name(s, word));
}

void names_command(LinkState& s, std::string_view args) {
    std::string word;
    if (read_token(args, word) == 0) return;
    s.names_only = true;
    load_object_file(s, resolve_file_name(s, word));
    s.names_only = false;
}

}  // namespace fell
