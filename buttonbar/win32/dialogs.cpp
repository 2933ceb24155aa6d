// Message boxes, the common file dialogs, the folder dialog and sound.
// Under DOK_EVENTS the boxes are real and answered by the event driver; the
// file and folder dialogs take the next event line as their answer.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <ostream>

#include "engine/event_line.hpp"
#include "platform/sound/sound.hpp"
#include "win32/event_driver.hpp"
#include "win32/ui.hpp"

namespace dok {
namespace {

constexpr size_t kFileBuffer = 256;  // 255 characters and the terminator

UINT button_style(BoxButtons b) {
    switch (b) {
        case BoxButtons::Ok: return MB_OK;
        case BoxButtons::YesNo: return MB_YESNO;
        case BoxButtons::OkCancel: return MB_OKCANCEL;
        case BoxButtons::YesNoCancel: return MB_YESNOCANCEL;
        case BoxButtons::RetryCancel: return MB_RETRYCANCEL;
        case BoxButtons::AbortRetryIgnore: return MB_ABORTRETRYIGNORE;
    }
    return MB_OK;
}

UINT icon_style(BoxIcon i) {
    switch (i) {
        case BoxIcon::Error:
        case BoxIcon::Stop: return MB_ICONSTOP;
        case BoxIcon::Warning:
        case BoxIcon::Exclamation: return MB_ICONEXCLAMATION;
        case BoxIcon::Information: return MB_ICONINFORMATION;
        case BoxIcon::Question: return MB_ICONQUESTION;
        case BoxIcon::None: break;
    }
    return 0;
}

const char* or_null(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

// Description and pattern pairs as the dialog takes them: NUL after each
// text and one more at the end.
std::string filter_text(const FileDialogRequest& request) {
    std::string f;
    for (const auto& [description, pattern] : request.filter) {
        f += description;
        f += '\0';
        f += pattern;
        f += '\0';
    }
    if (!f.empty()) f += '\0';
    return f;
}

int CALLBACK browse_callback(HWND h, UINT m, LPARAM l, LPARAM data) {
    if (m == BFFM_INITIALIZED && data && *reinterpret_cast<const char*>(data))
        SendMessageA(h, BFFM_SETSELECTIONA, TRUE, data);
    if (m == BFFM_SELCHANGED) {
        char path[MAX_PATH] = "";
        if (SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(l), path))
            SendMessageA(h, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    }
    return 0;
}

}  // namespace

int Win32Ui::message_box(std::string_view title, std::string_view text, BoxButtons buttons, BoxIcon icon,
                         bool owned) {
    if (settings_.transcript) {
        *settings_.transcript << title << ": " << text << "\n";
        settings_.transcript->flush();
    }
    HWND owner = owned && window_ && !destroyed_ ? window_ : nullptr;
    ++box_serial_;
    ++open_boxes_;
    box_buttons_ = buttons;
    int answer = MessageBoxA(owner, std::string(text).c_str(), std::string(title).c_str(),
                             button_style(buttons) | icon_style(icon));
    --open_boxes_;
    return answer;
}

DialogResult Win32Ui::scripted_path(std::string_view title, std::string_view initial) {
    if (settings_.transcript) {
        *settings_.transcript << title << ": " << initial << "\n";
        settings_.transcript->flush();
    }
    std::string line;
    DialogResult r;
    if (driver_->next_line(line) && !trim_event_text(line).empty()) {
        r.outcome = DialogResult::Outcome::Chosen;
        r.path = std::string(trim_event_text(line));
    }
    return r;
}

DialogResult Win32Ui::file_dialog(const FileDialogRequest& request) {
    if (driver_) return scripted_path(request.title.empty() ? (request.save ? "Save As" : "Open") : request.title,
                                      request.initial_name);
    std::string filter = filter_text(request);
    char file[kFileBuffer] = "";
    request.initial_name.copy(file, kFileBuffer - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = main_window();
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.data();
    ofn.lpstrFile = file;
    ofn.nMaxFile = kFileBuffer;
    ofn.lpstrInitialDir = or_null(request.initial_dir);
    ofn.lpstrTitle = or_null(request.title);
    ofn.lpstrDefExt = or_null(request.default_ext);
    ofn.Flags = request.flags;
    BOOL chosen = request.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    DialogResult r;
    if (chosen) {
        r.outcome = DialogResult::Outcome::Chosen;
        r.path.assign(file, strnlen(file, kFileBuffer));
    } else if ((r.error = CommDlgExtendedError()) != 0) {
        r.outcome = DialogResult::Outcome::Failed;
    }
    return r;
}

DialogResult Win32Ui::folder_dialog(std::string_view title, std::string_view initial_dir) {
    if (driver_) return scripted_path(title.empty() ? "Browse for Folder" : title, initial_dir);
    DialogResult r;
    IMalloc* shell_malloc = nullptr;
    if (FAILED(SHGetMalloc(&shell_malloc))) {
        r.outcome = DialogResult::Outcome::Failed;
        r.error = static_cast<uint32_t>(E_FAIL);
        return r;
    }
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::string instruction(title), initial(initial_dir);
    char display[MAX_PATH] = "";
    BROWSEINFOA bi{};
    bi.hwndOwner = main_window();
    bi.pszDisplayName = display;
    bi.lpszTitle = instruction.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
    bi.lpfn = browse_callback;
    bi.lParam = reinterpret_cast<LPARAM>(initial.c_str());
    LPITEMIDLIST items = SHBrowseForFolderA(&bi);
    if (items) {
        char path[MAX_PATH] = "";
        if (SHGetPathFromIDListA(items, path)) {
            r.outcome = DialogResult::Outcome::Chosen;
            r.path = path;
        } else {
            r.outcome = DialogResult::Outcome::Failed;
        }
        shell_malloc->Free(items);
    }
    shell_malloc->Release();
    if (SUCCEEDED(com)) CoUninitialize();
    return r;
}

void Win32Ui::play_wave(std::string_view path) {
    platform::play_wave(std::string(path), [this] { pump_messages(); });
}

}  // namespace dok
