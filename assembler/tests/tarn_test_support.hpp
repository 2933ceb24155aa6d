// Runs the assembler in-process on files in a fresh folder.
#pragma once

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "assembler/tarn.hpp"
#include "platform/paths.hpp"
#include "testkit/testkit.hpp"

namespace tarn_test {

struct Result {
    int code = -1;
    std::string console;
    std::string object;
    std::string listing;
};

class Workspace {
public:
    Workspace() : cwd_(dir_.path()) { platform::set_program_path((dir_.path() / "tarn").string()); }
    ~Workspace() { platform::set_program_path(""); }

    const testkit::fs::path& path() const { return dir_.path(); }
    void write(const std::string& name, std::string_view text) { testkit::write_bytes(dir_ / name, text); }
    std::string read(const std::string& name) const {
        auto p = dir_ / name;
        return testkit::fs::exists(p) ? testkit::read_bytes(p) : std::string();
    }

    Result run(const std::vector<std::string>& args) {
        std::istringstream in;
        std::ostringstream out, err;
        platform::Console con{in, out, err};
        Result r;
        r.code = run_tarn(args, con);
        r.console = out.str();
        return r;
    }

    // Assembles source as prog.a99 with the given extra options.
    Result assemble(std::string_view source, std::vector<std::string> options = {"-L", "-R"}) {
        write("prog.a99", source);
        options.insert(options.begin(), "-Iprog.a99");
        Result r = run(options);
        r.object = read("prog.obj");
        r.listing = read("prog.lst");
        return r;
    }

private:
    testkit::TempDir dir_;
    testkit::ScopedCwd cwd_;
};

// Runs a golden case folder: its inputs (all but args and expected/) are
// copied into the workspace and the assembler gets the lines of args, one
// argument each.
inline Result run_case(Workspace& ws, const testkit::fs::path& dir) {
    std::vector<std::string> args;
    std::ifstream in(dir / "args");
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        args.push_back(line);
    }
    for (const auto& e : testkit::fs::directory_iterator(dir)) {
        std::string name = e.path().filename().string();
        if (name == "expected" || name == "args") continue;
        testkit::fs::copy(e.path(), ws.path() / name, testkit::fs::copy_options::recursive);
    }
    return ws.run(args);
}

// The object records without sequence numbers and padding, one per entry.
inline std::vector<std::string> records(const std::string& object) {
    std::vector<std::string> out;
    std::istringstream in(object);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() >= 4) line.resize(line.size() - 4);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out.push_back(line);
    }
    return out;
}

}  // namespace tarn_test
