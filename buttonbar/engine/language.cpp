#include "language.hpp"

#include "platform/data_paths.hpp"
#include "platform/files.hpp"
#include "platform/paths.hpp"
#include "platform/profile.hpp"

namespace dok {

std::string clean_message(std::string_view raw, size_t size) {
    std::string out;
    if (size == 0) return out;
    size_t i = 0;
    if (i < raw.size() && raw[i] == '"') ++i;
    for (; i < raw.size() && out.size() < size - 1; ++i) {
        char c = raw[i];
        if (c == '"' || c == '\n') break;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= raw.size()) break;
        switch (raw[i]) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            default: break;  // dropped together with the backslash
        }
    }
    return out;
}

std::string language_file(const Dok& dok) {
    std::string configured = dok.file_path(dok.language_path);
    if (platform::is_readable_file(configured) || !dok.opt.sandbox.empty()) return configured;
    platform::PathParts mod = platform::split_path(dok.language_path);
    std::string installed = platform::find_data_file(mod.name + mod.extension);
    return installed.empty() ? configured : installed;
}

std::string message_text(const Dok& dok, std::string_view section, int number, size_t size) {
    std::string key = std::to_string(number);
    std::string def = "Message " + key;
    std::string file = language_file(dok);
    std::string raw = platform::is_regular_file(file)
                          ? platform::get_private_profile_string(section, key, def, file, size)
                          : def;
    return clean_message(raw, size);
}

}  // namespace dok
