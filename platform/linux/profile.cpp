#include "profile.hpp"

#include <cstdlib>
#include <utility>

#include "files.hpp"
#include "paths.hpp"

namespace platform {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && (is_blank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (is_blank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

struct Line {
    std::string text;  // without line end
    std::string end;   // "\r\n", "\n" or "" for a last line without one
};

struct IniFile {
    std::vector<Line> lines;
};

// Splits the first line off data: its text and its end ("\r\n", "\n", or
// "" for a last line without one).
std::pair<std::string_view, std::string_view> next_line(std::string_view& data) {
    size_t nl = data.find('\n');
    if (nl == std::string_view::npos) return {std::exchange(data, {}), {}};
    size_t end = nl > 0 && data[nl - 1] == '\r' ? nl - 1 : nl;
    std::pair<std::string_view, std::string_view> line{data.substr(0, end), data.substr(end, nl + 1 - end)};
    data.remove_prefix(nl + 1);
    return line;
}

IniFile parse(std::string_view data) {
    IniFile ini;
    while (!data.empty()) {
        auto [text, end] = next_line(data);
        ini.lines.push_back(Line{std::string(text), std::string(end)});
    }
    return ini;
}

// Section name of a header line, or nullopt when the line is no header.
std::optional<std::string_view> header_name(std::string_view text) {
    std::string_view t = trim(text);
    if (t.empty() || t.front() != '[') return std::nullopt;
    size_t close = t.find(']');
    std::string_view name = close == std::string_view::npos ? t.substr(1) : t.substr(1, close - 1);
    return trim(name);
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
    bool has_value;
};

KeyValue split_entry(std::string_view text) {
    std::string_view t = trim(text);
    size_t eq = t.find('=');
    if (eq == std::string_view::npos) return {t, {}, false};
    return {trim(t.substr(0, eq)), trim(t.substr(eq + 1)), true};
}

bool is_comment_or_empty(std::string_view text) {
    std::string_view t = trim(text);
    return t.empty() || t.front() == ';';
}

// Lines [first, last) holding the entries of the first section named name;
// first is the header's index. nullopt when absent.
struct SectionRange {
    size_t header;
    size_t end;
};

std::optional<SectionRange> find_section(const IniFile& ini, std::string_view name) {
    for (size_t i = 0; i < ini.lines.size(); ++i) {
        auto h = header_name(ini.lines[i].text);
        if (!h || !equals_ignore_case(*h, trim(name))) continue;
        size_t j = i + 1;
        while (j < ini.lines.size() && !header_name(ini.lines[j].text)) ++j;
        return SectionRange{i, j};
    }
    return std::nullopt;
}

bool is_entry_of(std::string_view text, std::string_view key) {
    return !is_comment_or_empty(text) && equals_ignore_case(split_entry(text).key, trim(key));
}

std::optional<size_t> find_key(const IniFile& ini, const SectionRange& r, std::string_view key) {
    for (size_t i = r.header + 1; i < r.end; ++i)
        if (is_entry_of(ini.lines[i].text, key)) return i;
    return std::nullopt;
}

// For the getters: the lines of the first section named name, up to the
// next header, as views into data; nullopt when it is absent. The rest of
// the file is not looked at.
std::optional<std::vector<std::string_view>> section_lines(std::string_view data, std::string_view name) {
    std::optional<std::vector<std::string_view>> lines;
    while (!data.empty()) {
        std::string_view text = next_line(data).first;
        // Most lines hold no '[' at all, and so no header.
        auto header = text.find('[') == std::string_view::npos ? std::nullopt : header_name(text);
        if (lines && header) break;
        if (lines) lines->push_back(text);
        else if (header && equals_ignore_case(*header, trim(name))) lines.emplace();
    }
    return lines;
}

// The value of key in the first section named name of data.
std::optional<std::string_view> find_value(std::string_view data, std::string_view section, std::string_view key) {
    auto lines = section_lines(data, section);
    if (!lines) return std::nullopt;
    for (std::string_view text : *lines)
        if (is_entry_of(text, key)) return split_entry(text).value;
    return std::nullopt;
}

std::string cut(std::string_view s, size_t size) {
    if (size == 0) return {};
    return std::string(s.substr(0, size - 1));
}

bool load(std::string_view file, IniFile& ini) {
    std::string data;
    if (!read_file(file, data)) return false;
    ini = parse(data);
    return true;
}

bool save(std::string_view file, const IniFile& ini) {
    std::string data;
    for (const Line& line : ini.lines) {
        data += line.text;
        data += line.end;
    }
    return write_file_atomic(file, data);
}

// Index after the last non-empty line of the section, where new keys go.
size_t append_point(const IniFile& ini, const SectionRange& r) {
    size_t at = r.end;
    while (at > r.header + 1 && trim(ini.lines[at - 1].text).empty()) --at;
    return at;
}

void insert_line(IniFile& ini, size_t at, std::string text) {
    if (at > 0 && ini.lines[at - 1].end.empty()) ini.lines[at - 1].end = "\r\n";
    ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), "\r\n"});
}

SectionRange add_section(IniFile& ini, std::string_view section) {
    if (!ini.lines.empty() && !trim(ini.lines.back().text).empty()) insert_line(ini, ini.lines.size(), "");
    insert_line(ini, ini.lines.size(), "[" + std::string(trim(section)) + "]");
    return SectionRange{ini.lines.size() - 1, ini.lines.size()};
}

}  // namespace

std::string get_private_profile_string(std::string_view section, std::string_view key,
                                       std::string_view def, std::string_view file, size_t size) {
    std::string_view d = def;
    while (!d.empty() && is_blank(d.back())) d.remove_suffix(1);
    std::string data;
    if (!read_file(file, data)) return cut(d, size);
    auto found = find_value(data, section, key);
    if (!found) return cut(d, size);
    std::string_view value = *found;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return cut(value, size);
}

std::vector<std::string> get_private_profile_section(std::string_view section, std::string_view file,
                                                     size_t size) {
    std::vector<std::string> out;
    std::string data;
    if (size < 2 || !read_file(file, data)) return out;
    auto lines = section_lines(data, section);
    if (!lines) return out;
    size_t room = size - 2;  // characters and separating NULs, final NUL pair excluded
    for (size_t i = 0; i < lines->size() && room > 0; ++i) {
        if (is_comment_or_empty((*lines)[i])) continue;
        std::string_view t = trim((*lines)[i]);
        if (t.size() + 1 > room) {
            out.emplace_back(t.substr(0, room));
            break;
        }
        out.emplace_back(t);
        room -= t.size() + 1;
    }
    return out;
}

int get_private_profile_int(std::string_view section, std::string_view key, int def, std::string_view file) {
    std::string data;
    if (!read_file(file, data)) return def;
    auto found = find_value(data, section, key);
    if (!found) return def;
    std::string value(*found);
    long long n = std::strtoll(value.c_str(), nullptr, 10);
    return static_cast<int>(n);
}

bool write_private_profile_string(std::string_view section, std::optional<std::string_view> key,
                                  std::optional<std::string_view> value, std::string_view file) {
    IniFile ini;
    load(file, ini);
    auto r = find_section(ini, section);
    if (!key) {
        if (!r) return true;
        ini.lines.erase(ini.lines.begin() + static_cast<std::ptrdiff_t>(r->header),
                        ini.lines.begin() + static_cast<std::ptrdiff_t>(r->end));
        return save(file, ini);
    }
    if (!value) {
        if (!r) return true;
        auto k = find_key(ini, *r, *key);
        if (!k) return true;
        ini.lines.erase(ini.lines.begin() + static_cast<std::ptrdiff_t>(*k));
        return save(file, ini);
    }
    std::string entry = std::string(trim(*key)) + "=" + std::string(*value);
    if (!r) {
        r = add_section(ini, section);
    }
    if (auto k = find_key(ini, *r, *key)) {
        ini.lines[*k].text = entry;
    } else {
        insert_line(ini, append_point(ini, *r), entry);
    }
    return save(file, ini);
}

bool write_private_profile_section(std::string_view section, const std::vector<std::string>& lines,
                                   std::string_view file) {
    IniFile ini;
    load(file, ini);
    auto r = find_section(ini, section);
    if (!r) r = add_section(ini, section);
    // Drop the old entries (comments and blank lines included), keep the
    // blank lines that separate it from the next section.
    size_t keep_from = append_point(ini, *r);
    ini.lines.erase(ini.lines.begin() + static_cast<std::ptrdiff_t>(r->header + 1),
                    ini.lines.begin() + static_cast<std::ptrdiff_t>(keep_from));
    size_t at = r->header + 1;
    for (const std::string& l : lines) insert_line(ini, at++, l);
    return save(file, ini);
}

}  // namespace platform
