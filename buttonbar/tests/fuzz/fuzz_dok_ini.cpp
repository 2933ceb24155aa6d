// Loads an arbitrary INI file, language module and event list, and runs them
// headless with file words confined to a sandbox folder and program starts
// switched off. Input: INI text, "@@@@\n", module text, "@@@@\n", events.
#include <cstdint>
#include <sstream>
#include <string>

#include "dok.hpp"
#include "dok_fuzz_support.hpp"

namespace {

std::string_view next_part(std::string_view& rest) {
    size_t sep = rest.find("@@@@\n");
    std::string_view part = rest.substr(0, sep);
    rest = sep == std::string_view::npos ? std::string_view() : rest.substr(sep + 5);
    return part;
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

    std::istringstream in{std::string(rest)};
    dok_fuzz::NullBuffer null;
    std::ostream out(&null);
    platform::Console con{in, out, out};
    {
        dok_fuzz::InSandbox cwd;
        dok::run_dok({"fuzz.ini", "one", "two"}, con, options);
    }
    environment.restore();
    return 0;
}
