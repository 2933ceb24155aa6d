#include "profile.hpp"

#include <vector>

#include "fd_io.hpp"
#include "paths.hpp"
#include "support.hpp"

namespace platform {
namespace {

// A name without folder would be looked for in the Windows folder; the
// profile functions get the full path instead.
std::string full_path(std::string_view file) {
    std::string host = resolve_path(file);
    // A device (aux.ini) is no file; read, it could wait for ever.
    if (win32::names_device(host)) return {};
    char buf[MAX_PATH * 4];
    DWORD n = GetFullPathNameA(host.c_str(), sizeof buf, buf, nullptr);
    return n == 0 || n >= sizeof buf ? host : std::string(buf, n);
}

const char* or_null(const std::optional<std::string>& text) { return text ? text->c_str() : nullptr; }

// The system writes a profile file in place; the change goes to a copy
// beside it that then replaces the file in one rename, so a failed write
// never leaves half a file.
template <typename Write>
bool write_through_copy(std::string_view file, Write write) {
    std::string target = full_path(file);
    if (target.empty()) return false;
    DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;
    size_t slash = target.find_last_of("\\/");
    // A new name each time: the system caches profile files by name.
    static unsigned writes = 0;
    std::string temp = target.substr(0, slash + 1) + ".tms" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(++writes) + ".ini";
    if (attributes != INVALID_FILE_ATTRIBUTES && !CopyFileA(target.c_str(), temp.c_str(), FALSE)) return false;
    bool ok = write(temp.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, temp.c_str());  // flushes the cache; says nothing
    if (ok && GetFileAttributesA(temp.c_str()) == INVALID_FILE_ATTRIBUTES) return true;  // nothing to write
    if (ok) ok = fd_rename(temp, target) == 0;
    if (!ok) DeleteFileA(temp.c_str());
    return ok;
}

}  // namespace

std::string get_private_profile_string(std::string_view section, std::string_view key,
                                       std::string_view def, std::string_view file, size_t size) {
    if (size == 0) return {};
    std::string path = full_path(file);
    if (path.empty()) {
        while (!def.empty() && (def.back() == ' ' || def.back() == '\t')) def.remove_suffix(1);
        return std::string(def.substr(0, size - 1));
    }
    std::vector<char> buf(size);
    DWORD n = GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), std::string(def).c_str(),
                                       buf.data(), static_cast<DWORD>(size), path.c_str());
    return std::string(buf.data(), n);
}

std::vector<std::string> get_private_profile_section(std::string_view section, std::string_view file, size_t size) {
    std::vector<std::string> out;
    std::string path = full_path(file);
    if (size < 2 || path.empty()) return out;
    std::vector<char> buf(size, '\0');
    DWORD n = GetPrivateProfileSectionA(std::string(section).c_str(), buf.data(), static_cast<DWORD>(size),
                                        path.c_str());
    for (size_t pos = 0; pos < n && buf[pos] != '\0';) {
        std::string line(buf.data() + pos);
        pos += line.size() + 1;
        out.push_back(std::move(line));
    }
    return out;
}

int get_private_profile_int(std::string_view section, std::string_view key, int def, std::string_view file) {
    std::string path = full_path(file);
    if (path.empty()) return def;
    return static_cast<int>(
        GetPrivateProfileIntA(std::string(section).c_str(), std::string(key).c_str(), def, path.c_str()));
}

bool write_private_profile_string(std::string_view section, std::optional<std::string_view> key,
                                  std::optional<std::string_view> value, std::string_view file) {
    std::string s(section);
    std::optional<std::string> k, v;
    if (key) k = std::string(*key);
    if (value) v = std::string(*value);
    return write_through_copy(file, [&](const char* temp) {
        return WritePrivateProfileStringA(s.c_str(), or_null(k), k ? or_null(v) : nullptr, temp) != 0;
    });
}

bool write_private_profile_section(std::string_view section, const std::vector<std::string>& lines,
                                   std::string_view file) {
    std::string s(section);
    std::string list;
    for (const std::string& l : lines) list += l + '\0';
    list += '\0';
    return write_through_copy(file, [&](const char* temp) {
        return WritePrivateProfileSectionA(s.c_str(), list.c_str(), temp) != 0;
    });
}

}  // namespace platform
