#include "shortcut_maker.hpp"

#include <string>

#include "messages.hpp"
#include "platform/message_box.hpp"
#include "platform/shell_link.hpp"

namespace pinmaker {
namespace {

// MAX_PATH: the longest shortcut name, terminator included.
constexpr size_t kMaxName = 260;

void fatal(std::ostream& messages, std::string_view text) { platform::message_box(messages, text, kFatalCaption); }

}  // namespace

bool make_shortcut(const Options& options, std::ostream& messages) {
    platform::ShellLink link;
    if (!link.set_path(*options.target)) fatal(messages, kSetPathFailed);
    if (options.arguments && !link.set_arguments(*options.arguments)) fatal(messages, kSetArgumentsFailed);
    if (options.working_directory && !link.set_working_directory(*options.working_directory))
        fatal(messages, kSetWorkingDirectoryFailed);
    if (options.icon_path && !link.set_icon_location(*options.icon_path, options.icon_offset))
        fatal(messages, kSetIconLocationFailed);
    if (options.description && !link.set_description(*options.description)) fatal(messages, kSetDescriptionFailed);

    const std::string& name = *options.shortcut_name;
    std::optional<std::u16string> wide_name = platform::utf8_to_utf16(name, kMaxName - 1);
    if (wide_name && link.save(*wide_name)) return true;
    fatal(messages, std::string(kSaveFailed) + name + ">");
    return false;
}

}  // namespace pinmaker
