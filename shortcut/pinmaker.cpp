#include "pinmaker.hpp"

#include <string>

#include "messages.hpp"
#include "options.hpp"
#include "platform/files.hpp"
#include "platform/message_box.hpp"
#include "shortcut_maker.hpp"

namespace pinmaker {
namespace {

// The existence checks, in order; false after the message of the first that fails.
bool check_paths(const Options& options, std::ostream& messages) {
    struct Check {
        const std::optional<std::string>& path;
        std::string_view text;
    };
    const Check checks[] = {
        {options.target, kTargetMissing},
        {options.working_directory, kWorkingDirectoryMissing},
        {options.icon_path, kIconMissing},
    };
    for (const Check& check : checks) {
        if (!check.path || platform::file_exists(*check.path)) continue;
        platform::message_box(messages, std::string(check.text) + *check.path + ">", kCaption);
        return false;
    }
    return true;
}

}  // namespace
}  // namespace pinmaker

int run_pinmaker(const std::vector<std::string>& args, platform::Console& con) {
    using namespace pinmaker;
    if (args.size() + 1 > kMaxWords) {
        // Going on would use a last word that swallowed the rest of the line.
        platform::message_box(con.err, kTooManyArguments, kErrorCaption);
        return 1;
    }
    Options options = parse_options(args);
    if (!options.shortcut_name || !options.target) {
        platform::message_box(con.err, kUsage, kCaption);
        return 1;
    }
    if (!options.quiet && !check_paths(options, con.err)) return 1;
    return make_shortcut(options, con.err) ? 0 : 1;
}
