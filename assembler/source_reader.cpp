#include "source_reader.hpp"

#include <cstring>
#include <memory>

#include "errors.hpp"
#include "listing_writer.hpp"
#include "mnemonic_table.hpp"
#include "platform/files.hpp"
#include "platform/paths.hpp"
#include "platform/profile.hpp"
#include "scanner.hpp"

namespace tarn {
namespace {

// Drops the line end (only ever the last character) and anything from a NUL on.
void trim_line(std::string& line) {
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (const void* nul = std::memchr(line.data(), 0, line.size()))
        line.resize(static_cast<size_t>(static_cast<const char*>(nul) - line.data()));
}

bool is_list_separator(char c) { return c == ';' || c == ','; }

// The item at pos: characters up to ";", "," or the end.
std::string_view list_item(std::string_view list, size_t pos) {
    size_t end = pos;
    while (end < list.size() && !is_list_separator(list[end])) ++end;
    return list.substr(pos, end - pos);
}

// Moves on until the character after the current one is a separator, and
// returns the position after it (or the end).
size_t next_list_item(std::string_view list, size_t pos) {
    while (pos < list.size()) {
        if (pos + 1 < list.size() && is_list_separator(list[pos + 1])) return pos + 2;
        ++pos;
    }
    return list.size();
}

bool is_dot_dir(std::string_view d) { return d.size() == 2 && d[0] == '.' && platform::is_separator(d[1]); }

bool is_dot_dot_dir(std::string_view d) {
    return d.size() == 5 && d[0] == '.' && platform::is_separator(d[1]) && d[2] == '.' && d[3] == '.' &&
           platform::is_separator(d[4]);
}

void apply_substitution(AssemblerState& st, std::string& path) {
    if (!st.config_substitutions)
        st.config_substitutions = platform::get_private_profile_section("SUBSTITUTE", st.config_path, 512);
    for (const std::string& line : *st.config_substitutions) {
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string_view key = std::string_view(line).substr(0, eq);
        if (!platform::starts_with_ignore_case(path, key)) continue;
        path = line.substr(eq + 1) + path.substr(key.size());
        return;
    }
}

}  // namespace

ReadResult read_line(AssemblerState& st) {
    while (!st.copy_files.empty()) {
        platform::TextReader& copy = *st.copy_files.back();
        if (copy.read_line(st.source_line, kLineBufferSize)) {
            trim_line(st.source_line);
            return ReadResult::Line;
        }
        if (copy.failed()) return ReadResult::CopyError;
        st.copy_files.pop_back();
    }
    if (st.source_file.read_line(st.source_line, kLineBufferSize)) {
        trim_line(st.source_line);
        return ReadResult::Line;
    }
    return st.source_file.failed() ? ReadResult::SourceError : ReadResult::EndOfSource;
}

void close_copy_files(AssemblerState& st) { st.copy_files.clear(); }

std::string resolve_copy_name(AssemblerState& st, std::string_view name, std::string& open_name) {
    std::string path(name);
    apply_substitution(st, path);
    open_name = path;
    platform::PathParts parts = platform::split_path(path);
    const bool own_ext = parts.flags & platform::kHasExtension;
    const bool own_dir = parts.flags & (platform::kHasDrive | platform::kHasDirectory);
    const bool complete = (parts.flags & platform::kHasDrive) && (parts.flags & platform::kHasDirectory) && own_ext;
    if (complete) return path;

    const std::string_view exts = st.config_extensions;
    const std::string_view dirs = st.config_include;
    platform::PathParts source = platform::split_path(st.opt_input_name.value_or(""));
    std::string drive = parts.drive, directory = parts.directory, extension = parts.extension;
    bool found = false;
    for (size_t e = 0; own_ext || e < exts.size(); e = next_list_item(exts, e)) {
        for (size_t i = 0; own_dir || i < dirs.size(); i = next_list_item(dirs, i)) {
            if (!own_dir) {
                drive.clear();
                directory = std::string(list_item(dirs, i));
            }
            if (is_dot_dir(directory)) {
                directory = source.drive + source.directory;
            } else if (is_dot_dot_dir(directory)) {
                directory = source.drive + source.directory;
                if (!directory.empty() && !platform::is_separator(directory.back())) directory += '\\';
                directory += "..\\";
            }
            if (!own_ext) extension = std::string(list_item(exts, e));
            path = platform::join_path(drive, directory, parts.name, extension);
            std::string host = platform::resolve_path(path);
            if (platform::is_regular_file(host)) {
                open_name = std::move(host);
                found = true;
                break;
            }
            if (own_dir) break;
        }
        if (found || own_ext) break;
    }
    if (!found) open_name = path;
    return path;
}

void directive_copy(AssemblerState& st) {
    Field operand = scan_quoted_operand(st, '"');
    scan_comment(st);
    if (st.pass == 2) lst_word_line(st, st.line_number, kNone, kNone);
    std::string name;
    if (parse_quoted(operand, '"', 260, name) != 0) {
        record_error(st, kSyntaxError);
        return;
    }
    auto file = std::make_unique<platform::TextReader>();
    bool opened = false;
    if (st.copy_files.size() < kMaxCopyDepth) {
        std::string open_name;
        std::string path = resolve_copy_name(st, name, open_name);
        if (st.opt_verbose && st.pass == 1) st.con.out << "* Copy file          : " << path << '\n';
        opened = file->open(open_name);
    }
    if (!opened) {
        console_message(st, "Can't open input file <" + name + ">\n");
        fatal_exit(st, 12);
    }
    st.copy_files.push_back(std::move(file));
}

}  // namespace tarn
