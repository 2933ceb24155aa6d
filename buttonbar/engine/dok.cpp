#include "dok.hpp"

#include "events.hpp"
#include "interpreter.hpp"
#include "language.hpp"
#include "loader.hpp"
#include "platform/data_paths.hpp"
#include "platform/files.hpp"
#include "platform/paths.hpp"
#include "platform/single_instance.hpp"
#include "safe_format.hpp"

namespace dok {
namespace {

constexpr size_t kMaxWords = 12;

bool is_graphic(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return u > 0x20 && u != 0x7F;
}

std::vector<std::string> split_words(const std::vector<std::string>& args) {
    std::vector<std::string> words{platform::current_directory() + "\\Dok"};
    std::string line;
    for (const std::string& a : args) line += a + " ";
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && !is_graphic(line[i])) ++i;
        size_t start = i;
        while (i < line.size() && is_graphic(line[i])) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

void close_files(Dok& dok) {
    for (auto& f : dok.open_files) f.reset();
}

int run(Dok& dok, const std::vector<std::string>& args) {
    dok.words = split_words(args);
    if (dok.words.size() > kMaxWords) {
        dok.ui.message_box("", "To many arguments!", BoxButtons::Ok, BoxIcon::Error, false);
        return 1;
    }
    dok.language_path = platform::current_directory() + "/dok_nl.def";
    if (dok.words.size() < 2) {
        dok.ui.message_box("Dok", "Usage:\nDok your.ini [your arguments]", BoxButtons::Ok, BoxIcon::Warning, false);
        return 0;
    }
    dok.ini_path = in_current_directory(dok.words[1]);
    if (!platform::file_exists(dok.ini_path) || !platform::is_readable_file(dok.ini_path)) {
        int number = platform::file_exists(dok.ini_path) ? 2003 : 2001;
        std::string text = format_message(message_text(dok, "Message", number), {MessageArg::of(dok.ini_path)});
        dok.ui.message_box("Dok", text, BoxButtons::Ok, BoxIcon::Error, false);
        return 0;
    }
    if (!load_ini(dok)) return 0;
    dok.settings_path = dok.ini_path.substr(0, kSettingsPathSize);
    dok.instance_key = dok.window.title.substr(0, 39);

    platform::SingleInstance instance;
    bool claimed = false;
    if (dok.opt.single_instance && !dok.instance_key.empty()) {
        auto r = instance.claim(dok.instance_key, dok.opt.instance_dir);
        if (r == platform::SingleInstance::Result::Other) return 0;
        claimed = r == platform::SingleInstance::Result::First;
    }

    dok.window.about_item = message_text(dok, "Menu", 65500, 101);
    EngineEvents events(dok, claimed ? &instance : nullptr);
    if (!dok.ui.create_window(dok.window, dok.controls, events)) return 0;
    dok.window_created = true;
    run_routine(dok, "onload");
    if (!dok.ui.window_destroyed()) {
        dok.ui.show_window();
        dok.ui.run_message_loop();
    }
    close_files(dok);
    return 0;
}

}  // namespace

int run_dok(const std::vector<std::string>& args, platform::Console& con, Ui& ui, const DokOptions& options) {
    Dok dok(con, ui, options);
    int code = run(dok, args);
    close_files(dok);
    con.out.flush();
    return code;
}

}  // namespace dok
