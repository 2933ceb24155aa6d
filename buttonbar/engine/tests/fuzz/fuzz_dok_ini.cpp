// Loads an arbitrary INI file, language module and event list, and runs them
// headless with file words confined to a sandbox folder and program starts
// switched off. Input: INI text, "@@@@\n", module text, "@@@@\n", events
// (the first 64 lines).
#include <cstdint>
#include <sstream>
#include <string>

#include "headless/run.hpp"
#include "support.hpp"

namespace {

std::string_view next_part(std::string_view& rest) {
    size_t sep = rest.find("@@@@\n");
    std::string_view part = rest.substr(0, sep);
    rest = sep == std::string_view::npos ? std::string_view() : rest.substr(sep + 5);
    return part;
}

// Events after the first few dozen find nothing new, but each can run a
// routine: the longest inputs would spend their time repeating.
constexpr size_t kMaxEvents = 64;

std::string_view first_lines(std::string_view text, size_t count) {
    size_t end = 0;
    for (size_t i = 0; i < count && end < text.size(); ++i) {
        size_t nl = text.find('\n', end);
        end = nl == std::string_view::npos ? text.size() : nl + 1;
    }
    return text.substr(0, end);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static dok_fuzz::Environment environment;
    static const dok::DokOptions options = dok_fuzz::options();
    dok_fuzz::clear_sandbox({"fuzz.ini", "dok_nl.def"});

    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string_view ini = next_part(rest);
    std::string_view module = next_part(rest);
    dok_fuzz::write_file("fuzz.ini", ini);
    dok_fuzz::write_file("dok_nl.def", module);

    std::istringstream in{std::string(first_lines(rest, kMaxEvents))};
    dok_fuzz::NullBuffer null;
    std::ostream out(&null);
    platform::Console con{in, out, out};
    {
        dok_fuzz::InSandbox cwd;
        dok::run_headless({"fuzz.ini", "one", "two"}, con, options);
    }
    environment.restore();
    return 0;
}
