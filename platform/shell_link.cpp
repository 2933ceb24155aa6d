#include "shell_link.hpp"

#include "files.hpp"
#include "paths.hpp"

namespace platform {
namespace {

// ---- text -------------------------------------------------------------------

bool is_ascii_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char ascii_upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool is_control(unsigned char c) { return c < 0x20 || c == 0x7F; }

bool has_control(std::string_view text) {
    for (unsigned char c : text)
        if (is_control(c)) return true;
    return false;
}

bool is_ascii(std::u16string_view text) {
    for (char16_t c : text)
        if (c >= 0x80) return false;
    return true;
}

// The ANSI copy of a path: characters outside ASCII become '?'.
std::string to_ansi(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += '?';
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) ++i;  // one '?' per character
        }
    }
    return out;
}

// ---- paths ------------------------------------------------------------------

bool has_drive(std::string_view path) { return path.size() >= 2 && is_ascii_letter(path[0]) && path[1] == ':'; }

std::string join(const std::vector<std::string>& parts, size_t count, char separator) {
    std::string out;
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) out += separator;
        out += parts[i];
    }
    return out;
}

std::string windows_form(const std::string& drive, const std::vector<std::string>& parts, size_t count) {
    return drive + "\\" + join(parts, count, '\\');
}

// Host path of the first count components of path.
std::string host_path(const LinkPath& path, size_t count) {
    if (path.on_host) return resolve_path("/" + join(path.parts, count, '/'));
    return resolve_path(to_host_path(windows_form(path.windows.substr(0, 2), path.parts, count)));
}

// Absolute, lexically normalised form of a path. A drive letter keeps its
// drive; anything else is a host path, shown on drive Z:.
std::optional<LinkPath> normalise_path(std::string_view given) {
    if (given.empty()) return std::nullopt;
    std::string drive = "Z:";
    std::string text;
    if (has_drive(given)) {
        drive = {ascii_upper(given[0]), ':'};
        text = given.substr(2);
    } else if (is_separator(given[0])) {
        text = given;
    } else {
        text = current_directory() + "/" + std::string(given);
    }
    LinkPath path;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = pos;
        while (end < text.size() && !is_separator(text[end])) ++end;
        std::string part = text.substr(pos, end - pos);
        if (part == "..") {
            if (!path.parts.empty()) path.parts.pop_back();
        } else if (!part.empty() && part != ".") {
            path.parts.push_back(std::move(part));
        }
        pos = end + 1;
    }
    path.on_host = !has_drive(given);
    path.windows = windows_form(drive, path.parts, path.parts.size());
    path.host = host_path(path, path.parts.size());
    return path;
}

// A path the setters accept: well-formed, no control characters, and at most
// kMaxPath characters once absolute.
std::optional<LinkPath> settable_path(std::string_view given) {
    if (has_control(given) || !utf8_to_utf16(given)) return std::nullopt;
    std::optional<LinkPath> path = normalise_path(given);
    if (!path || !utf8_to_utf16(path->windows, ShellLink::kMaxPath)) return std::nullopt;
    return path;
}

// ".\a.txt" or "..\x\a.txt" from the folder of the link file to the target;
// empty when they are on different drives.
std::string relative_path(const LinkPath& link_file, const LinkPath& target) {
    if (!equals_ignore_case(link_file.windows.substr(0, 2), target.windows.substr(0, 2)) || link_file.parts.empty()) return {};
    size_t folder = link_file.parts.size() - 1;
    size_t common = 0;
    while (common < folder && common < target.parts.size() && equals_ignore_case(link_file.parts[common], target.parts[common]))
        ++common;
    std::vector<std::string> parts;
    if (common == folder) parts.push_back(".");
    for (size_t i = common; i < folder; ++i) parts.push_back("..");
    for (size_t i = common; i < target.parts.size(); ++i) parts.push_back(target.parts[i]);
    return join(parts, parts.size(), '\\');
}

// ---- file times -------------------------------------------------------------

// 100 ns ticks since 1601; 0 when unknown.
uint64_t filetime(int64_t ns) {
    constexpr int64_t kEpochTicks = 116444736000000000;
    if (ns == 0) return 0;
    int64_t ticks = ns / 100 + kEpochTicks;
    return ticks > 0 ? static_cast<uint64_t>(ticks) : 0;
}

// DOS date in the low half, time in the high half, UTC, rounded up to an even
// second; 0 outside 1980-2107.
uint32_t fat_datetime(int64_t ns) {
    if (ns <= 0) return 0;
    int64_t seconds = ns / 1000000000 + (ns % 1000000000 != 0);
    seconds += seconds & 1;
    // Civil date of the day count (days since 1970-01-01).
    int64_t days = seconds / 86400, rest = seconds % 86400;
    int64_t z = days + 719468, era = z / 146097, doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100), mp = (5 * doy + 2) / 153;
    int64_t day = doy - (153 * mp + 2) / 5 + 1, month = mp < 10 ? mp + 3 : mp - 9;
    int64_t year = yoe + era * 400 + (month <= 2);
    if (year < 1980 || year > 2107) return 0;
    uint32_t date = static_cast<uint32_t>((year - 1980) << 9 | month << 5 | day);
    uint32_t time = static_cast<uint32_t>(rest / 3600 << 11 | rest / 60 % 60 << 5 | rest % 60 / 2);
    return date | time << 16;
}

// ---- binary shortcut --------------------------------------------------------

class ByteWriter {
public:
    void u8(uint32_t v) { data_ += static_cast<char>(v & 0xFF); }
    void u16(uint32_t v) { put(v, 2); }
    void u32(uint32_t v) { put(v, 4); }
    void u64(uint64_t v) { put(v, 8); }
    void bytes(std::string_view b) { data_ += b; }
    void utf16(std::u16string_view text) {
        for (char16_t c : text) u16(c);
    }
    void patch_u16(size_t at, uint32_t v) {
        data_[at] = static_cast<char>(v & 0xFF);
        data_[at + 1] = static_cast<char>(v >> 8 & 0xFF);
    }
    void patch_u32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) data_[at + i] = static_cast<char>(v >> (8 * i) & 0xFF);
    }
    size_t size() const { return data_.size(); }
    const std::string& data() const { return data_; }

private:
    void put(uint64_t v, int n) {
        for (int i = 0; i < n; ++i) data_ += static_cast<char>(v >> (8 * i) & 0xFF);
    }
    std::string data_;
};

constexpr uint32_t kFlagIdList = 0x1;
constexpr uint32_t kFlagLinkInfo = 0x2;
constexpr uint32_t kFlagName = 0x4;
constexpr uint32_t kFlagRelativePath = 0x8;
constexpr uint32_t kFlagWorkingDir = 0x10;
constexpr uint32_t kFlagArguments = 0x20;
constexpr uint32_t kFlagIconLocation = 0x40;
constexpr uint32_t kFlagUnicode = 0x80;
constexpr uint32_t kFlagTargetMetadata = 0x80000;

constexpr uint32_t kAttributeDirectory = 0x10;
constexpr uint32_t kAttributeArchive = 0x20;
constexpr uint32_t kShowNormal = 1;
constexpr uint32_t kDriveFixed = 3;

// {00021401-0000-0000-C000-000000000046}, the shell link class.
constexpr char kLinkClsid[] = "\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46";
// {20D04FE0-3AEA-1069-A2D8-08002B30309D}, My Computer.
constexpr char kComputerClsid[] = "\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\x00\x2B\x30\x30\x9D";

uint32_t attributes_of(bool directory) { return directory ? kAttributeDirectory : kAttributeArchive; }

// One file or folder of the target's ID list, with its 0xBEEF0004 extension.
void write_file_entry(ByteWriter& out, std::u16string_view name, const FileStamp& stamp, bool directory) {
    bool ascii = is_ascii(name);
    ByteWriter w;
    w.u16(0);
    w.u8((directory ? 0x31 : 0x32) | (ascii ? 0 : 0x04));
    w.u8(0);
    w.u32(directory ? 0 : static_cast<uint32_t>(stamp.size));
    w.u32(fat_datetime(stamp.modified));
    w.u16(attributes_of(directory));
    if (ascii) {
        w.bytes(to_ansi(name));
        w.u8(0);
        if (w.size() & 1) w.u8(0);
    } else {
        w.utf16(name);
        w.u16(0);
    }
    size_t extension = w.size();
    w.u16(0);
    w.u16(7);
    w.u32(0xBEEF0004);
    w.u32(fat_datetime(stamp.created));
    w.u32(fat_datetime(stamp.accessed));
    w.u16(0x26);
    w.u16(0);
    w.u64(0);  // NTFS file reference
    w.u64(0);
    w.u16(0);
    w.utf16(name);
    w.u16(0);
    w.u16(static_cast<uint32_t>(extension));
    w.patch_u16(extension, static_cast<uint32_t>(w.size() - extension));
    w.patch_u16(0, static_cast<uint32_t>(w.size()));
    out.bytes(w.data());
}

void write_id_list(ByteWriter& out, const LinkPath& target, const std::vector<std::u16string>& names,
                   const std::vector<FileStamp>& stamps) {
    size_t start = out.size();
    out.u16(0);
    out.u16(0x14);
    out.u8(0x1F);
    out.u8(0x50);
    out.bytes(std::string_view(kComputerClsid, 16));
    out.u16(0x19);
    out.u8(0x2F);
    std::string volume = target.windows.substr(0, 2) + "\\";
    volume.resize(20, '\0');
    out.bytes(volume);
    out.u16(0);
    for (size_t i = 0; i < names.size(); ++i) {
        bool last = i + 1 == names.size();
        bool directory = !last || stamps[i].directory;
        write_file_entry(out, names[i], stamps[i], directory);
    }
    out.u16(0);
    out.patch_u16(start, static_cast<uint32_t>(out.size() - start - 2));
}

void write_link_info(ByteWriter& out, std::u16string_view path) {
    bool unicode = !is_ascii(path);
    uint32_t header = unicode ? 0x24 : 0x1C;
    ByteWriter w;
    w.u32(0);
    w.u32(header);
    w.u32(1);  // VolumeIDAndLocalBasePath
    w.u32(header);
    w.u32(0);  // LocalBasePath, patched below
    w.u32(0);
    w.u32(0);  // CommonPathSuffix, patched below
    if (unicode) {
        w.u32(0);
        w.u32(0);
    }
    w.u32(0x11);  // VolumeID: size, drive type, serial, label offset, empty label
    w.u32(kDriveFixed);
    w.u32(0);
    w.u32(0x10);
    w.u8(0);
    w.patch_u32(0x10, static_cast<uint32_t>(w.size()));
    w.bytes(to_ansi(path));
    w.u8(0);
    w.patch_u32(0x18, static_cast<uint32_t>(w.size()));
    w.u8(0);
    if (unicode) {
        w.patch_u32(0x1C, static_cast<uint32_t>(w.size()));
        w.utf16(path);
        w.u16(0);
        w.patch_u32(0x20, static_cast<uint32_t>(w.size()));
        w.u16(0);
    }
    w.patch_u32(0, static_cast<uint32_t>(w.size()));
    out.bytes(w.data());
}

void write_string(ByteWriter& out, std::u16string_view text) {
    out.u16(static_cast<uint32_t>(text.size()));
    out.utf16(text);
}

std::u16string wide(std::string_view text) { return utf8_to_utf16(text).value_or(std::u16string()); }

// ---- desktop entry ----------------------------------------------------------

// Escapes a value: backslash, tab, line ends, and spaces at either end.
// Other control characters cannot be written.
std::optional<std::string> escape_value(std::string_view value) {
    size_t first = value.find_first_not_of(' ');
    size_t last = value.find_last_not_of(' ');
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == ' ' && (first == std::string_view::npos || i < first || i > last))
            out += "\\s";
        else if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (is_control(static_cast<unsigned char>(c)))
            return std::nullopt;
        else
            out += c;
    }
    return out;
}

// The words a program started with this argument text would receive, by the
// rules of the Windows C runtime.
std::vector<std::string> split_arguments(std::string_view text) {
    std::vector<std::string> words;
    size_t i = 0;
    const size_t n = text.size();
    for (;;) {
        while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
        if (i >= n) break;
        std::string word;
        bool quoted = false;
        while (i < n) {
            char c = text[i];
            if (c == '\\') {
                size_t end = i;
                while (end < n && text[end] == '\\') ++end;
                size_t count = end - i;
                if (end < n && text[end] == '"') {
                    word.append(count / 2, '\\');
                    if (count % 2) {
                        word += '"';
                        ++end;
                    }
                } else {
                    word.append(count, '\\');
                }
                i = end;
            } else if (c == '"') {
                if (quoted && i + 1 < n && text[i + 1] == '"') {
                    word += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else if (!quoted && (c == ' ' || c == '\t')) {
                break;
            } else {
                word += c;
                ++i;
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

bool needs_exec_quotes(std::string_view word) {
    if (word.empty()) return true;
    for (unsigned char c : word)
        if (is_control(c) || std::string_view(" \"'\\><~|&;$*?#()`").find(static_cast<char>(c)) != std::string_view::npos)
            return true;
    return false;
}

// One word of an Exec value, before the value escapes.
std::string exec_word(std::string_view word) {
    bool quoted = needs_exec_quotes(word);
    std::string out;
    if (quoted) out += '"';
    for (char c : word) {
        if (c == '%') {
            out += "%%";
            continue;
        }
        if (quoted && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
        out += c;
    }
    if (quoted) out += '"';
    return out;
}

bool add_entry(std::string& out, std::string_view key, std::string_view value) {
    std::optional<std::string> escaped = escape_value(value);
    if (!escaped) return false;
    out += key;
    out += '=';
    out += *escaped;
    out += '\n';
    return true;
}

bool ends_with_desktop(std::string_view name) {
    constexpr std::string_view kExtension = ".desktop";
    return name.size() >= kExtension.size() && equals_ignore_case(name.substr(name.size() - kExtension.size()), kExtension);
}

}  // namespace

// ---- conversions ------------------------------------------------------------

std::optional<std::u16string> utf8_to_utf16(std::string_view text, size_t max_units) {
    std::u16string out;
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        uint32_t cp;
        size_t len;
        if (c < 0x80) {
            cp = c;
            len = 1;
        } else if (c >= 0xC2 && c <= 0xDF) {
            cp = c & 0x1F;
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            cp = c & 0x0F;
            len = 3;
        } else if (c >= 0xF0 && c <= 0xF4) {
            cp = c & 0x07;
            len = 4;
        } else {
            return std::nullopt;
        }
        if (len > text.size() - i) return std::nullopt;
        for (size_t k = 1; k < len; ++k) {
            unsigned char d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80) return std::nullopt;
            cp = cp << 6 | (d & 0x3F);
        }
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
            return std::nullopt;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        if (out.size() > max_units) return std::nullopt;
        i += len;
    }
    return out;
}

std::optional<std::string> utf16_to_utf8(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t cp = text[i];
        if (cp >= 0xDC00 && cp <= 0xDFFF) return std::nullopt;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return std::nullopt;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | cp >> 6);
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | cp >> 12);
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | cp >> 18);
            out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

// ---- setters ----------------------------------------------------------------

bool ShellLink::set_path(std::string_view target) {
    std::optional<LinkPath> path = settable_path(target);
    if (!path) return false;
    std::vector<FileStamp> stamps;
    for (size_t i = 1; i <= path->parts.size(); ++i) stamps.push_back(file_stamp(host_path(*path, i)));
    target_ = std::move(path);
    target_stamps_ = std::move(stamps);
    return true;
}

bool ShellLink::set_arguments(std::string_view arguments) {
    if (arguments.find('\0') != std::string_view::npos || !utf8_to_utf16(arguments, kMaxArguments)) return false;
    arguments_ = arguments;
    return true;
}

bool ShellLink::set_working_directory(std::string_view directory) {
    if (directory.empty()) {
        working_directory_.reset();
        return true;
    }
    std::optional<LinkPath> path = settable_path(directory);
    if (!path) return false;
    working_directory_ = std::move(path);
    return true;
}

bool ShellLink::set_icon_location(std::string_view path, int index) {
    std::optional<LinkPath> icon;
    if (!path.empty()) {
        icon = settable_path(path);
        if (!icon) return false;
    }
    icon_ = std::move(icon);
    icon_index_ = index;
    return true;
}

bool ShellLink::set_description(std::string_view text) {
    if (text.find('\0') != std::string_view::npos || !utf8_to_utf16(text, kMaxPath)) return false;
    description_ = text;
    return true;
}

// ---- saving -----------------------------------------------------------------

std::optional<std::string> ShellLink::lnk_contents(const std::optional<LinkPath>& link_file) const {
    uint32_t flags = kFlagUnicode;
    uint32_t attributes = 0;
    FileStamp stamp;
    std::string relative;
    if (target_) {
        flags |= kFlagIdList | kFlagLinkInfo | kFlagTargetMetadata;
        if (!target_stamps_.empty()) stamp = target_stamps_.back();
        attributes = attributes_of(target_->parts.empty() || stamp.directory);
        if (link_file) relative = relative_path(*link_file, *target_);
        if (!utf8_to_utf16(relative, kMaxPath)) relative.clear();
    }
    if (!description_.empty()) flags |= kFlagName;
    if (!relative.empty()) flags |= kFlagRelativePath;
    if (working_directory_) flags |= kFlagWorkingDir;
    if (!arguments_.empty()) flags |= kFlagArguments;
    if (icon_) flags |= kFlagIconLocation;

    ByteWriter out;
    out.u32(0x4C);
    out.bytes(std::string_view(kLinkClsid, 16));
    out.u32(flags);
    out.u32(attributes);
    out.u64(filetime(stamp.created));
    out.u64(filetime(stamp.accessed));
    out.u64(filetime(stamp.modified));
    out.u32(static_cast<uint32_t>(stamp.size));
    out.u32(static_cast<uint32_t>(icon_index_));
    out.u32(kShowNormal);
    out.u16(0);  // hot key
    out.u16(0);
    out.u32(0);
    out.u32(0);

    if (target_) {
        std::vector<std::u16string> names;
        for (const std::string& part : target_->parts) names.push_back(wide(part));
        write_id_list(out, *target_, names, target_stamps_);
        write_link_info(out, wide(target_->windows));
    }
    if (flags & kFlagName) write_string(out, wide(description_));
    if (flags & kFlagRelativePath) write_string(out, wide(relative));
    if (flags & kFlagWorkingDir) write_string(out, wide(working_directory_->windows));
    if (flags & kFlagArguments) write_string(out, wide(arguments_));
    if (flags & kFlagIconLocation) write_string(out, wide(icon_->windows));
    out.u32(0);  // terminal block
    return out.data();
}

std::optional<std::string> ShellLink::desktop_contents(std::string_view file_name) const {
    std::string name(file_name.substr(0, file_name.size() - 8));
    if (name.empty()) name = file_name;
    if (!utf8_to_utf16(name)) return std::nullopt;

    std::string out = "[Desktop Entry]\nVersion=1.0\nType=Application\n";
    if (!add_entry(out, "Name", name)) return std::nullopt;
    if (target_) {
        if (target_->host.find('=') != std::string::npos) return std::nullopt;
        std::string exec = exec_word(target_->host);
        for (const std::string& word : split_arguments(arguments_)) exec += ' ' + exec_word(word);
        if (!add_entry(out, "Exec", exec)) return std::nullopt;
    }
    if (working_directory_ && !add_entry(out, "Path", working_directory_->host)) return std::nullopt;
    // An icon is a file or a theme name, never a folder.
    if (icon_ && (is_directory(icon_->host) || !add_entry(out, "Icon", icon_->host))) return std::nullopt;
    if (!description_.empty() && !add_entry(out, "Comment", description_)) return std::nullopt;
    return out;
}

std::optional<std::string> ShellLink::contents(std::string_view name) const {
    if (ends_with_desktop(name)) {
        size_t slash = name.find_last_of("\\/");
        return desktop_contents(slash == std::string_view::npos ? name : name.substr(slash + 1));
    }
    return lnk_contents(normalise_path(name));
}

bool ShellLink::save(std::u16string_view name) const {
    std::optional<std::string> utf8 = utf16_to_utf8(name);
    if (!utf8 || utf8->empty() || utf8->find('\0') != std::string::npos) return false;
    std::optional<std::string> bytes = contents(*utf8);
    return bytes && write_file_atomic(*utf8, *bytes);
}

}  // namespace platform
