#include "shortcut_maker.hpp"

#include <string>

#include "messages.hpp"
#include "platform/message_box.hpp"
#include "platform/system_shell_link.hpp"

namespace pinmaker {
namespace {

void fatal(std::ostream& messages, std::string_view text) { platform::message_box(messages, text, kFatalCaption); }

}  // namespace

bool make_shortcut(const Options& options, std::ostream& messages) {
    platform::SystemShellLink link;
    const std::string& name = *options.shortcut_name;
    // Without the object nothing can be set or saved.
    if (!link.created()) {
        fatal(messages, std::string(kSaveFailed) + name + ">");
        return false;
    }
    if (!link.set_path(*options.target)) fatal(messages, kSetPathFailed);
    if (options.arguments && !link.set_arguments(*options.arguments)) fatal(messages, kSetArgumentsFailed);
    if (options.working_directory && !link.set_working_directory(*options.working_directory))
        fatal(messages, kSetWorkingDirectoryFailed);
    if (options.icon_path && !link.set_icon_location(*options.icon_path, options.icon_offset))
        fatal(messages, kSetIconLocationFailed);
    if (options.description && !link.set_description(*options.description)) fatal(messages, kSetDescriptionFailed);

    if (link.save(name)) return true;
    fatal(messages, std::string(kSaveFailed) + name + ">");
    return false;
}

}  // namespace pinmaker
