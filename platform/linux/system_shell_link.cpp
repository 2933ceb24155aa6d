#include "system_shell_link.hpp"

#include "shell_link.hpp"

namespace platform {

struct SystemShellLink::Impl {
    ShellLink link;
};

SystemShellLink::SystemShellLink() : impl_(std::make_unique<Impl>()) {}
SystemShellLink::~SystemShellLink() = default;

bool SystemShellLink::created() const { return true; }
bool SystemShellLink::set_path(std::string_view target) { return impl_->link.set_path(target); }
bool SystemShellLink::set_arguments(std::string_view arguments) { return impl_->link.set_arguments(arguments); }
bool SystemShellLink::set_working_directory(std::string_view directory) {
    return impl_->link.set_working_directory(directory);
}
bool SystemShellLink::set_icon_location(std::string_view path, int index) {
    return impl_->link.set_icon_location(path, index);
}
bool SystemShellLink::set_description(std::string_view text) { return impl_->link.set_description(text); }

bool SystemShellLink::save(std::string_view name) {
    std::optional<std::u16string> wide = utf8_to_utf16(name, ShellLink::kMaxPath);
    return wide && impl_->link.save(*wide);
}

}  // namespace platform
