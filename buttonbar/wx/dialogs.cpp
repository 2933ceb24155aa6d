// The file and folder dialogs; under DOK_EVENTS their answers are lines.
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/frame.h>

#include <ostream>

#include "wx/event_driver.hpp"
#include "engine/event_line.hpp"
#include "platform/paths.hpp"
#include "wx/toolkit.hpp"
#include "wx/ui.hpp"

namespace dok {
namespace {

constexpr uint32_t kOfnOverwritePrompt = 0x2, kOfnFileMustExist = 0x1000;
constexpr uint32_t kBufferTooSmall = 0x3003;  // the chosen name does not fit the 255-character buffer
constexpr size_t kPathSize = 255;

// "*.*" names every file on Windows; here it would need a dot.
std::string host_pattern(const std::string& pattern) {
    std::string out;
    size_t start = 0;
    while (start <= pattern.size()) {
        size_t end = pattern.find(';', start);
        if (end == std::string::npos) end = pattern.size();
        std::string one = pattern.substr(start, end - start);
        if (!out.empty()) out += ';';
        out += one == "*.*" ? "*" : one;
        start = end + 1;
    }
    return out;
}

wxString wildcard(const FileDialogRequest& request) {
    wxString w;
    for (const auto& [description, pattern] : request.filter) {
        if (!w.empty()) w += "|";
        w += to_wx(description) + "|" + to_wx(host_pattern(pattern));
    }
    return w.empty() ? wxString("*") : w;
}

}  // namespace

DialogResult WxUi::scripted_path(std::string_view title, std::string_view initial) {
    if (settings_.transcript) {
        *settings_.transcript << title << ": " << initial << "\n";
        settings_.transcript->flush();
    }
    std::string line;
    DialogResult r;
    if (script_->next_line(line) && !trim_event_text(line).empty()) {
        r.outcome = DialogResult::Outcome::Chosen;
        r.path = std::string(trim_event_text(line));
    }
    return r;
}

DialogResult WxUi::file_dialog(const FileDialogRequest& request) {
    std::string title = request.title.empty() ? (request.save ? "Save As" : "Open") : request.title;
    if (script_) return scripted_path(title, request.initial_name);
    platform::PathParts initial = platform::split_path(request.initial_name);
    std::string dir = initial.drive + initial.directory;
    if (dir.empty()) dir = request.initial_dir;
    long style = request.save ? wxFD_SAVE : wxFD_OPEN;
    if (request.flags & kOfnOverwritePrompt) style |= wxFD_OVERWRITE_PROMPT;
    if (request.flags & kOfnFileMustExist) style |= wxFD_FILE_MUST_EXIST;
    wxFileDialog dialog(frame_ && !destroyed_ ? frame_ : nullptr, to_wx(title),
                        dir.empty() ? wxString() : to_wx(platform::resolve_path(dir)),
                        to_wx(initial.name + initial.extension), wildcard(request), style);
    DialogResult r;
    if (dialog.ShowModal() != wxID_OK) return r;
    std::string path = from_wx(dialog.GetPath());
    platform::PathParts chosen = platform::split_path(path);
    if (!(chosen.flags & platform::kHasExtension) && !request.default_ext.empty()) path += "." + request.default_ext;
    if (path.size() > kPathSize) {
        r.outcome = DialogResult::Outcome::Failed;
        r.error = kBufferTooSmall;
        return r;
    }
    r.outcome = DialogResult::Outcome::Chosen;
    r.path = path;
    return r;
}

DialogResult WxUi::folder_dialog(std::string_view title, std::string_view initial_dir) {
    std::string caption = title.empty() ? std::string("Browse for Folder") : std::string(title);
    if (script_) return scripted_path(caption, initial_dir);
    wxDirDialog dialog(frame_ && !destroyed_ ? frame_ : nullptr, to_wx(caption),
                       initial_dir.empty() ? wxString() : to_wx(platform::resolve_path(initial_dir)),
                       wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    DialogResult r;
    if (dialog.ShowModal() != wxID_OK) return r;
    r.outcome = DialogResult::Outcome::Chosen;
    r.path = from_wx(dialog.GetPath());
    return r;
}

}  // namespace dok
