#include "paths.hpp"

#include <cctype>
#include <map>

#include "shared.hpp"

namespace platform {
namespace {

std::map<char, std::string>& drive_roots() {
    static std::map<char, std::string> roots;
    return roots;
}

std::string& program_path_setting() {
    static std::string path;
    return path;
}

}  // namespace

const std::string* drive_root_override(char letter) {
    auto it = drive_roots().find(letter);
    return it == drive_roots().end() ? nullptr : &it->second;
}

const std::string& program_path_override() { return program_path_setting(); }

PathParts split_path(std::string_view path) {
    PathParts parts;
    std::string_view rest = path;
    if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
        parts.drive = rest.substr(0, 2);
        parts.flags |= kHasDrive;
        rest.remove_prefix(2);
    }
    size_t last_sep = std::string_view::npos;
    for (size_t i = 0; i < rest.size(); ++i)
        if (is_separator(rest[i])) last_sep = i;
    if (last_sep != std::string_view::npos) {
        parts.directory = rest.substr(0, last_sep + 1);
        parts.flags |= kHasDirectory;
        rest.remove_prefix(last_sep + 1);
    }
    size_t dot = rest.rfind('.');
    if (dot != std::string_view::npos) {
        parts.extension = rest.substr(dot);
        parts.flags |= kHasExtension;
        rest = rest.substr(0, dot);
    }
    if (!rest.empty()) {
        parts.name = rest;
        parts.flags |= kHasName;
    }
    if (path.find_first_of("*?") != std::string_view::npos) parts.flags |= kHasWildcards;
    return parts;
}

std::string join_path(std::string_view drive, std::string_view directory, std::string_view name,
                      std::string_view extension) {
    std::string out;
    out.reserve(drive.size() + directory.size() + name.size() + extension.size() + 2);
    out += drive;
    out += directory;
    if (!directory.empty() && !is_separator(directory.back())) out += '\\';
    out += name;
    if (!extension.empty() && extension.front() != '.') out += '.';
    out += extension;
    return out;
}

bool count_up_name(std::string& path) {
    const PathParts old = split_path(path);
    if (old.name.empty()) return false;
    char& c = path[old.drive.size() + old.directory.size() + old.name.size() - 1];
    c = static_cast<char>(c + 1);
    if (c == '\0') return false;
    const PathParts now = split_path(path);
    return now.drive == old.drive && now.directory == old.directory && now.extension == old.extension &&
           now.name.size() == old.name.size();
}

void set_drive_root(char letter, std::string root) {
    char key = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    if (root.empty())
        drive_roots().erase(key);
    else
        drive_roots()[key] = std::move(root);
}

void set_program_path(std::string path) { program_path_setting() = std::move(path); }

bool equals_ignore_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool starts_with_ignore_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equals_ignore_case(text.substr(0, prefix.size()), prefix);
}

}  // namespace platform
