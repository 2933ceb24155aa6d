#include "system_shell_link.hpp"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <string>

namespace platform {
namespace {

constexpr size_t kMaxPath = MAX_PATH - 1;

// What the link file can hold: the system would cut longer values.
bool fits(std::string_view text) { return text.size() <= kMaxPath && text.find('\0') == std::string_view::npos; }

bool is_path(std::string_view text) {
    if (!fits(text)) return false;
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F) return false;
    return true;
}

}  // namespace

struct SystemShellLink::Impl {
    bool com = false;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
};

SystemShellLink::SystemShellLink() : impl_(std::make_unique<Impl>()) {
    impl_->com = SUCCEEDED(CoInitialize(nullptr));
    void* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &link))) return;
    impl_->link = static_cast<IShellLinkA*>(link);
    void* file = nullptr;
    if (FAILED(impl_->link->QueryInterface(IID_IPersistFile, &file))) {
        impl_->link->Release();
        impl_->link = nullptr;
        return;
    }
    impl_->file = static_cast<IPersistFile*>(file);
}

SystemShellLink::~SystemShellLink() {
    if (impl_->file) impl_->file->Release();
    if (impl_->link) impl_->link->Release();
    if (impl_->com) CoUninitialize();
}

bool SystemShellLink::created() const { return impl_->link != nullptr; }

bool SystemShellLink::set_path(std::string_view target) {
    return created() && is_path(target) && SUCCEEDED(impl_->link->SetPath(std::string(target).c_str()));
}

bool SystemShellLink::set_arguments(std::string_view arguments) {
    return created() && arguments.find('\0') == std::string_view::npos &&
           SUCCEEDED(impl_->link->SetArguments(std::string(arguments).c_str()));
}

bool SystemShellLink::set_working_directory(std::string_view directory) {
    return created() && is_path(directory) &&
           SUCCEEDED(impl_->link->SetWorkingDirectory(std::string(directory).c_str()));
}

bool SystemShellLink::set_icon_location(std::string_view path, int index) {
    return created() && is_path(path) && SUCCEEDED(impl_->link->SetIconLocation(std::string(path).c_str(), index));
}

bool SystemShellLink::set_description(std::string_view text) {
    return created() && fits(text) && SUCCEEDED(impl_->link->SetDescription(std::string(text).c_str()));
}

bool SystemShellLink::save(std::string_view name) {
    if (!created() || name.empty() || !fits(name)) return false;
    wchar_t wide[MAX_PATH];
    std::string text(name);
    if (MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH) == 0) return false;
    return SUCCEEDED(impl_->file->Save(wide, TRUE));
}

}  // namespace platform
