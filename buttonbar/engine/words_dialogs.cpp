// Drive, file and directory lists, and the file and folder dialogs.
#include <cstdio>

#include "platform/drives.hpp"
#include "platform/find_files.hpp"
#include "platform/paths.hpp"
#include "word_args.hpp"
#include "words.hpp"

namespace dok::words {
namespace {

constexpr uint32_t kOfnOverwritePrompt = 0x2, kOfnHideReadOnly = 0x4, kOfnNoChangeDir = 0x8,
                   kOfnPathMustExist = 0x800, kOfnFileMustExist = 0x1000, kOfnNoReadOnlyReturn = 0x8000,
                   kOfnLongNames = 0x200000;

const char* media_name(int type) {
    static const char* kNames[] = {"Unknown",    "FD5 1.2Mb", "FD3 1.44Mb", "FD3 2.88Mb", "FD3 20.8Mb",
                                   "FD3 720Kb",  "FD5 360Kb", "FD5 320Kb",  "FD5 320Kb",  "FD5 180Kb",
                                   "FD5 160Kb",  "Removable", "Fixed"};
    return type >= 0 && type <= 12 ? kNames[type] : "Unknown";
}

// Whether the upper-case kinds text selects the drive type.
bool kind_selected(const std::string& kinds, platform::DriveType type) {
    if (kinds.find("ALLDISKS") != std::string::npos) return true;
    static const std::pair<const char*, platform::DriveType> kKinds[] = {
        {"UNKNOWN", platform::DriveType::Unknown}, {"NOROOT", platform::DriveType::NoRoot},
        {"REMOVABLE", platform::DriveType::Removable}, {"FIXED", platform::DriveType::Fixed},
        {"REMOTE", platform::DriveType::Remote}, {"CDROM", platform::DriveType::CdRom},
        {"RAMDISK", platform::DriveType::RamDisk}};
    for (const auto& [word, t] : kKinds)
        if (t == type && kinds.find(word) != std::string::npos) return true;
    return false;
}

std::string drive_line(const platform::DriveInfo& d) {
    std::string volume = d.volume_name.substr(0, 19), fs = d.file_system.substr(0, 19);
    const char* media = d.has_geometry ? media_name(d.media_type) : "Unknown";
    uint64_t mb = d.size_bytes / 1000000, hundredths = (d.size_bytes % 1000000) / 10000;
    char rest[128];
    if (d.has_geometry && (mb || hundredths))
        std::snprintf(rest, sizeof rest, " %-11.11s %-10.10s %llu.%02lluMb %-10.10s", volume.c_str(), fs.c_str(),
                      static_cast<unsigned long long>(mb), static_cast<unsigned long long>(hundredths), media);
    else
        std::snprintf(rest, sizeof rest, " %-11.11s %-10.10s %-10.10s", volume.c_str(), fs.c_str(), media);
    return "[-" + d.name + "-]" + rest;
}

bool fill_directory(Dok& dok, Scan& s, bool directories) {
    std::string name, pattern;
    if (!command_args(dok, s, name, pattern)) return false;
    auto i = list_control(dok, name);
    if (!i) return false;
    if (!pattern.empty()) {
        for (const platform::FoundEntry& e : platform::find_files(dok.file_path(pattern), directories)) {
            if (e.is_directory != directories) continue;
            dok.ui.list_add(*i, directories ? "[" + e.name + "]" : e.name);
        }
    }
    dok.ui.list_select(*i, 0);
    return true;
}

std::vector<std::pair<std::string, std::string>> filter_pairs(const std::string& filter) {
    std::vector<std::string> parts;
    size_t p = 0;
    while (p < filter.size() && filter[p] != '\0') {
        size_t e = filter.find('\0', p);
        if (e == std::string::npos) e = filter.size();
        parts.push_back(filter.substr(p, e - p));
        p = e + 1;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (size_t k = 0; k + 1 < parts.size(); k += 2) pairs.emplace_back(parts[k], parts[k + 1]);
    return pairs;
}

bool file_dialog(Dok& dok, Scan& s, bool save) {
    std::string var, initial;
    if (!command_args(dok, s, var, initial)) return false;
    FileDialogRequest req;
    req.save = save;
    req.title = dok.dialog.title;
    req.filter = filter_pairs(dok.dialog.filter);
    req.initial_dir = dok.dialog.initial_dir;
    req.default_ext = dok.dialog.default_ext;
    req.initial_name = initial.substr(0, 255);
    req.flags = dok.dialog.flags;
    if (req.flags == 0) {
        req.flags = kOfnHideReadOnly | kOfnNoChangeDir | kOfnPathMustExist | kOfnNoReadOnlyReturn | kOfnLongNames;
        req.flags |= save ? kOfnOverwritePrompt : kOfnFileMustExist;
    }
    DialogResult r = dok.ui.file_dialog(req);
    std::string value = req.initial_name;
    if (r.outcome == DialogResult::Outcome::Chosen) {
        dok.errorlevel = 0;
        dok.keycode = kIdOk;
        value = r.path.substr(0, 255);
    } else {
        dok.errorlevel = r.outcome == DialogResult::Outcome::Failed ? static_cast<int32_t>(r.error) : 0;
        dok.keycode = dok.errorlevel == 0 ? kIdCancel : kIdAbort;
    }
    return assign_variable(dok, var, value, false);
}

}  // namespace

bool w_setdrives(Dok& dok, Scan& s, Output&) {
    std::string name, kinds;
    if (!text_argument(dok, s, name)) return false;
    skip_separators(s);
    bool has_kinds = !s.at_end() && s.peek() != ')';
    if (has_kinds) {
        if (!text_argument(dok, s, kinds)) return false;
        if (s.peek() != ')' || s.at_end()) {
            report_error(dok, kErrCommandSyntax);
            return false;
        }
        ++s.pos;
    } else if (!close_command(dok, s)) {
        return false;
    }
    for (char& c : kinds)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    auto i = list_control(dok, name);
    if (!i) return false;
    for (const platform::DriveInfo& d : platform::list_drives()) {
        // Without kinds the seven named kinds are selected: every type we know.
        if ((has_kinds && !kind_selected(kinds, d.type)) || !d.has_volume) continue;
        dok.ui.list_add(*i, drive_line(d));
    }
    return true;
}

bool w_setfiles(Dok& dok, Scan& s, Output&) { return fill_directory(dok, s, false); }
bool w_setdirs(Dok& dok, Scan& s, Output&) { return fill_directory(dok, s, true); }

bool w_setofntitle(Dok& dok, Scan& s, Output&) {
    std::string t;
    if (!command_args(dok, s, t)) return false;
    dok.dialog.title = t.substr(0, 79);
    return true;
}

bool w_setofnfilter(Dok& dok, Scan& s, Output&) {
    std::string t;
    if (!command_args(dok, s, t)) return false;
    std::string f;
    for (size_t i = 0; i < t.size() && f.size() < 78; ++i) {
        if (t[i] == '\\' && i + 1 < t.size()) {
            ++i;
            f += t[i] == '0' ? '\0' : t[i];
        } else {
            f += t[i];
        }
    }
    f.append(2, '\0');
    dok.dialog.filter = f;
    return true;
}

bool w_setofndir(Dok& dok, Scan& s, Output&) {
    std::string t;
    if (!command_args(dok, s, t)) return false;
    dok.dialog.initial_dir = t.substr(0, 299);
    return true;
}

bool w_setofnext(Dok& dok, Scan& s, Output&) {
    std::string t;
    if (!command_args(dok, s, t)) return false;
    std::string e;
    for (size_t i = 0; i < t.size() && e.size() < 9; ++i) {
        if (t[i] == '.') continue;
        if (t[i] == '\\' && i + 1 < t.size()) ++i;
        e += t[i];
    }
    dok.dialog.default_ext = e;
    return true;
}

bool w_setofnflags(Dok& dok, Scan& s, Output&) {
    std::string t;
    if (!command_args(dok, s, t)) return false;
    dok.dialog.flags = 0;
    return true;
}

bool w_getopenfilename(Dok& dok, Scan& s, Output&) { return file_dialog(dok, s, false); }
bool w_getsavefilename(Dok& dok, Scan& s, Output&) { return file_dialog(dok, s, true); }

bool w_getopendirname(Dok& dok, Scan& s, Output&) {
    std::string var;
    if (!command_args(dok, s, var)) return false;
    dok.errorlevel = 0;
    DialogResult r = dok.ui.folder_dialog(dok.dialog.title, dok.dialog.initial_dir);
    switch (r.outcome) {
        case DialogResult::Outcome::Cancelled: dok.keycode = kIdCancel; return true;
        case DialogResult::Outcome::Failed:
            dok.keycode = kIdAbort;
            dok.skip_rest = true;
            return true;
        case DialogResult::Outcome::Chosen: dok.keycode = kIdOk; return assign_variable(dok, var, r.path, false);
    }
    return true;
}

}  // namespace dok::words
