// pinmaker on Windows, through the shell's own link object: every message
// box of the tool, and a shortcut the shell can read.
#include "shortcut/pinmaker.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/environment.hpp"
#include "testkit/testkit.hpp"

namespace {

struct Result {
    int code;
    std::string boxes;
};

class WindowsPinmaker : public testing::Test {
protected:
    testkit::TempDir dir;
    testkit::ScopedCwd cwd{dir.path()};

    void SetUp() override {
        platform::set_environment("TMS_MESSAGE_BOX_STREAM", "1");  // boxes as text
        testkit::write_bytes(dir / "tool.exe", "MZ");
        testkit::write_bytes(dir / "icon.ico", "");
        std::filesystem::create_directory(dir / "work");
    }

    Result run(const std::vector<std::string>& args) {
        std::istringstream in;
        std::ostringstream out, err;
        platform::Console con{in, out, err};
        int code = run_pinmaker(args, con);
        EXPECT_EQ(out.str(), "");
        return {code, err.str()};
    }
};

}  // namespace

TEST_F(WindowsPinmaker, UsageAndChecks) {
    Result r = run({});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.boxes.rfind("Pinmaker: Pinmaker - a program to create a shortcut", 0), 0u) << r.boxes;
    EXPECT_EQ(run({"-Sa.lnk", "-Tnone.exe"}).boxes, "Pinmaker: Target doesn't exist <none.exe>\n");
    EXPECT_EQ(run({"-Sa.lnk", "-Ttool.exe", "-Wnowhere"}).boxes, "Pinmaker: Workingdirectory doesn't exist <nowhere>\n");
    EXPECT_EQ(run({"-Sa.lnk", "-Ttool.exe", "-Ino.ico"}).boxes, "Pinmaker: Icon doesn't exist <no.ico>\n");
    std::vector<std::string> many(20, "-Q");
    EXPECT_EQ(run(many).boxes, "Error: *** To many arguments\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "a.lnk"));
}

TEST_F(WindowsPinmaker, TheShellWritesTheShortcut) {
    Result r = run({"-Sshort.lnk", "-Ttool.exe", "-A-x \"a b\"", "-Wwork", "-Iicon.ico", "-N5", "-DRuns it"});
    ASSERT_EQ(r.code, 0) << r.boxes;
    EXPECT_EQ(r.boxes, "");
    std::string bytes = testkit::read_bytes(dir / "short.lnk");
    ASSERT_GT(bytes.size(), 0x4Cu);
    EXPECT_EQ(bytes.substr(0, 20), std::string("\x4C\0\0\0\x01\x14\x02\0\0\0\0\0\xC0\0\0\0\0\0\0\x46", 20));
    EXPECT_EQ(static_cast<unsigned char>(bytes[0x38]), 5u);  // icon index
    EXPECT_EQ(run({"-Squiet.lnk", "-TC:\\Tools\\none.exe", "-Q"}).code, 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "quiet.lnk"));
}

TEST_F(WindowsPinmaker, FailedSettingsAreReportedAndTheRestIsSaved) {
    std::string control = "bad\x01name";
    Result r = run({"-Sa.lnk", "-T" + control, "-W" + control, "-I" + control, "-D" + std::string(260, 'd'), "-Aok", "-Q"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.boxes,
              "Fatal Error: SetPath to Target failed!\nFatal Error: SetWorkingDirectory failed!\n"
              "Fatal Error: SetIconLocation failed!\nFatal Error: SetDescription failed!\n");
    EXPECT_TRUE(std::filesystem::exists(dir / "a.lnk"));
    r = run({"-Snone\\a.lnk", "-Ttool.exe"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.boxes, "Fatal Error: Save failed <none\\a.lnk>\n");
}
