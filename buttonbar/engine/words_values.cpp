// Value functions on paths, settings, constants, functions, text files,
// dates and times.
#include <cstdio>

#include "date_rules.hpp"
#include "ini_reader.hpp"
#include "platform/paths.hpp"
#include "word_args.hpp"
#include "words.hpp"

namespace dok::words {
namespace {

constexpr size_t kValueSize = kArgSize + 1;

std::string directory_part(std::string_view path) {
    std::string d = platform::split_path(path).directory;
    while (!d.empty() && platform::is_separator(d.back())) d.pop_back();
    return d;
}

// A line of at most 254 characters with its line feed; like a C string it
// ends at a NUL byte.
bool read_text_line(platform::TextReader& reader, std::string& line) {
    if (!reader.read_line(line, kValueSize)) return false;
    line.resize(std::min(line.size(), line.find('\0')));
    return true;
}

// Fields of the clock in a printf format.
std::string clock_text(const char* format, int a, int b = 0, int c = 0) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, a, b, c);
    return buf;
}

template <typename Text>
bool clock_word(Dok& dok, Scan& s, Output& out, Text text) {
    return no_args(dok, s) && append_result(dok, out, text(dok.now()));
}

}  // namespace

bool w_drive(Dok& dok, Scan& s, Output& out) {
    std::string p;
    return value_args(dok, s, p) && append_result(dok, out, platform::split_path(p).drive);
}

bool w_directory(Dok& dok, Scan& s, Output& out) {
    std::string p;
    return value_args(dok, s, p) && append_result(dok, out, directory_part(p));
}

bool w_filename(Dok& dok, Scan& s, Output& out) {
    std::string p;
    return value_args(dok, s, p) && append_result(dok, out, platform::split_path(p).name);
}

bool w_extension(Dok& dok, Scan& s, Output& out) {
    std::string p;
    return value_args(dok, s, p) && append_result(dok, out, platform::split_path(p).extension);
}

bool w_loadsetting(Dok& dok, Scan& s, Output& out) {
    std::string key;
    if (!value_args(dok, s, key)) return false;
    if (dok.settings_path.empty()) {
        report_error(dok, kErrNoSettings);
        return false;
    }
    return append_result(dok, out, read_ini_value("settings", key, "", kValueSize, dok.file_path(dok.settings_path)));
}

bool w_constant(Dok& dok, Scan& s, Output& out) {
    std::string key;
    if (!value_args(dok, s, key)) return false;
    std::string raw = read_ini_value("constants", key, "", kValueSize, dok.ini_path);
    // Only the "@" sequences are replaced.
    std::string text;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '@') {
            text += raw[i];
        } else if (i + 1 < raw.size()) {
            char d = raw[++i];
            if (d >= '0' && d <= '9') {
                Output o(kArgSize);
                std::string seq = std::string("@") + d;
                if (!expand_text(dok, seq, o)) return false;
                text += o.text;
            } else {
                text += d;
            }
        }
    }
    return append_result(dok, out, text);
}

bool w_function(Dok& dok, Scan& s, Output& out) {
    std::string key;
    if (!value_args(dok, s, key)) return false;
    std::string raw = read_ini_value("functions", key, "", kValueSize, dok.ini_path);
    Output o(kArgSize);
    if (!expand_text(dok, raw, o)) return false;
    return append_result(dok, out, o.text);
}

bool w_fread(Dok& dok, Scan& s, Output& out) {
    std::string file;
    uint32_t n = 0;
    if (!value_args(dok, s, file, n)) return false;
    dok.errorlevel = 1;
    platform::TextReader reader;
    if (!reader.open(dok.file_path(file))) return true;
    std::string line, last;
    for (uint32_t i = 0; i < n; ++i) {
        if (!read_text_line(reader, line)) {
            dok.errorlevel = 1;
            break;
        }
        last = line;
        dok.errorlevel = 0;
    }
    return append_result(dok, out, last);
}

bool w_openf(Dok& dok, Scan& s, Output& out) {
    std::string file;
    if (!value_args(dok, s, file)) return false;
    if (dok.files_opened >= static_cast<int>(dok.open_files.size())) {
        dok.errorlevel = 1;
        report_error(dok, kErrTooManyFiles);
        return false;
    }
    auto reader = std::make_unique<platform::TextReader>();
    if (!reader->open(dok.file_path(file))) {
        dok.errorlevel = 1;
        report_error(dok, kErrFile);
        return false;
    }
    dok.open_files[static_cast<size_t>(dok.files_opened++)] = std::move(reader);
    dok.errorlevel = 0;
    return append_result(dok, out, std::to_string(dok.files_opened));
}

namespace {
platform::TextReader* open_file(Dok& dok, uint32_t n) {
    if (n < 1 || n > static_cast<uint32_t>(dok.files_opened)) return nullptr;
    return dok.open_files[n - 1].get();
}
}  // namespace

bool w_readf(Dok& dok, Scan& s, Output& out) {
    uint32_t n = 0;
    if (!value_args(dok, s, n)) return false;
    platform::TextReader* r = open_file(dok, n);
    if (!r) {
        report_error(dok, kErrFile);
        return false;
    }
    std::string line;
    if (!read_text_line(*r, line)) {
        dok.errorlevel = 1;
        return true;
    }
    dok.errorlevel = 0;
    return append_result(dok, out, line);
}

bool w_closef(Dok& dok, Scan& s, Output&) {
    uint32_t n = 0;
    if (!value_args(dok, s, n)) return false;
    if (!open_file(dok, n)) {
        report_error(dok, kErrFile);
        return false;
    }
    dok.open_files[n - 1].reset();
    return true;
}

bool w_time(Dok& dok, Scan& s, Output& out) {
    return clock_word(dok, s, out, [](const LocalTime& t) { return clock_text("%02d:%02d:%02d", t.hour, t.minute, t.second); });
}

bool w_date(Dok& dok, Scan& s, Output& out) {
    return clock_word(dok, s, out, [](const LocalTime& t) { return clock_text("%02d-%02d-%02d", t.day, t.month, t.year); });
}

bool w_hour(Dok& dok, Scan& s, Output& out) { return clock_word(dok, s, out, [](const LocalTime& t) { return clock_text("%2d", t.hour); }); }
bool w_minute(Dok& dok, Scan& s, Output& out) { return clock_word(dok, s, out, [](const LocalTime& t) { return clock_text("%2d", t.minute); }); }
bool w_second(Dok& dok, Scan& s, Output& out) { return clock_word(dok, s, out, [](const LocalTime& t) { return clock_text("%2d", t.second); }); }
bool w_year(Dok& dok, Scan& s, Output& out) { return clock_word(dok, s, out, [](const LocalTime& t) { return clock_text("%2d", t.year); }); }
bool w_month(Dok& dok, Scan& s, Output& out) { return clock_word(dok, s, out, [](const LocalTime& t) { return clock_text("%2d", t.month); }); }
bool w_day(Dok& dok, Scan& s, Output& out) { return clock_word(dok, s, out, [](const LocalTime& t) { return clock_text("%2d", t.day); }); }
bool w_wday(Dok& dok, Scan& s, Output& out) { return clock_word(dok, s, out, [](const LocalTime& t) { return clock_text("%2d", t.weekday); }); }

bool w_yday(Dok& dok, Scan& s, Output& out) {
    return clock_word(dok, s, out, [](const LocalTime& t) { return clock_text("%2d", day_of_year(t.year, t.month, t.day)); });
}

bool w_week(Dok& dok, Scan& s, Output& out) {
    return clock_word(dok, s, out, [](const LocalTime& t) { return clock_text("%2d", week_number(t.year, t.month, t.day)); });
}

}  // namespace dok::words
