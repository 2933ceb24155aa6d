// One case folder of tests/golden, run in-process: the folder's files are
// copied to a fresh directory, dok runs there with the arguments of "args"
// (default "dok.ini") and the events of "events", and its transcript, exit
// code and the files listed under expected/files are compared.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "engine/dok.hpp"
#include "platform/paths.hpp"
#include "testkit/testkit.hpp"

namespace dok::test {

namespace fs = std::filesystem;

inline fs::path golden_dir() { return testkit::source_dir() / "buttonbar" / "engine" / "tests" / "golden"; }

inline std::vector<std::string> split_args(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string w;
    while (in >> w) out.push_back(w);
    return out;
}

// Runs dok for the case in a window of the runner's choice with the options,
// the events and the transcript stream; returns the exit code.
using CaseRunner = std::function<int(const std::vector<std::string>& args, DokOptions& options,
                                     std::istream& events, std::ostream& out)>;

// Checks the case against its expected files; stdout_name names the
// expected transcript (stdout, or a window's own where it differs).
inline void check_case(const std::string& name, const CaseRunner& run, const std::string& stdout_name = "stdout") {
    fs::path dir = golden_dir() / name;
    testkit::TempDir work;
    for (const auto& e : fs::directory_iterator(dir)) {
        if (e.path().filename() == "expected") continue;
        fs::copy(e.path(), work / e.path().filename().string(), fs::copy_options::recursive);
    }
    std::string args_text = fs::exists(dir / "args") ? testkit::read_bytes(dir / "args") : "dok.ini";
    std::istringstream events(fs::exists(dir / "events") ? testkit::read_bytes(dir / "events") : "");
    std::ostringstream out;

    platform::set_program_path((testkit::source_dir() / "buttonbar" / "dok").string());
    DokOptions options;
    options.instance_dir = work.path().string();
    options.clock = [] { return LocalTime{2026, 12, 7, 9, 5, 3, 1}; };
    int code;
    {
        testkit::ScopedCwd cwd(work.path());
        code = run(split_args(args_text), options, events, out);
    }
    platform::set_program_path("");

    fs::path expected = dir / "expected";
    fs::path transcript = fs::exists(expected / stdout_name) ? expected / stdout_name : expected / "stdout";
    EXPECT_EQ("", testkit::check_golden(transcript, out.str()));
    EXPECT_EQ("", testkit::check_golden(expected / "exit_code", std::to_string(code) + "\n"));
    if (fs::exists(expected / "files")) {
        for (const auto& e : fs::recursive_directory_iterator(expected / "files")) {
            if (!e.is_regular_file()) continue;
            fs::path rel = fs::relative(e.path(), expected / "files");
            fs::path actual = work / rel.string();
            ASSERT_TRUE(fs::exists(actual)) << rel << " was not written";
            EXPECT_EQ("", testkit::check_golden(e.path(), testkit::read_bytes(actual))) << rel;
        }
    }
    if (fs::exists(dir / "absent")) {
        std::istringstream names(testkit::read_bytes(dir / "absent"));
        std::string absent;
        while (std::getline(names, absent))
            if (!absent.empty()) {
                EXPECT_FALSE(fs::exists(work / absent)) << absent << " should not exist";
            }
    }
}

}  // namespace dok::test
