// Whole runs against real files, for what the golden cases cannot express.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <random>
#include <sstream>

#include "findreplace/morfex.hpp"
#include "findreplace/piece_editor.hpp"
#include "testkit/testkit.hpp"

namespace {

namespace fs = std::filesystem;

struct Result {
    int code;
    std::string out;
    std::string console;
};

Result run_in(const fs::path& dir, const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, console;
    platform::Console con{in, out, console};
    testkit::ScopedCwd cwd(dir);
    int code = run_morfex(args, con);
    return {code, out.str(), console.str()};
}

std::vector<std::string> entries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

unsigned mode_of(const fs::path& p) {
    struct stat st;
    return ::stat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(FileHandling, InPlaceThroughSymbolicLinkEditsTheTarget) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "real" / "data.txt", "old text\n");
    fs::create_symlink("real/data.txt", dir / "link.txt");
    Result r = run_in(dir.path(), {"-q", "-i", "link.txt", "-f", "old", "-r", "new"});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(testkit::read_bytes(dir / "real" / "data.txt"), "new text\n");
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"link.txt", "real"}));
    EXPECT_EQ(entries(dir / "real"), std::vector<std::string>{"data.txt"});
}

TEST(FileHandling, OutputNamingTheInputAnotherWayIsSafe) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "list.txt", "abc\n");
    Result r = run_in(dir.path(), {"-q", "-i", "list.txt", "-o", ".\\LIST.TXT", "-f", "b", "-r", "BBB"});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(testkit::read_bytes(dir / "list.txt"), "aBBBc\n");

    // A hard link under another name gets the result; the input keeps its text.
    fs::create_hard_link(dir / "list.txt", dir / "other.txt");
    r = run_in(dir.path(), {"-q", "-i", "list.txt", "-o", "other.txt", "-f", "a", "-r", "-"});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(testkit::read_bytes(dir / "list.txt"), "aBBBc\n");
    EXPECT_EQ(testkit::read_bytes(dir / "other.txt"), "-BBBc\n");
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"list.txt", "other.txt"}));
}

TEST(FileHandling, PermissionsKeptAndNewFilesFollowTheUmask) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "list.txt", "abc\n");
    fs::permissions(dir / "list.txt", fs::perms(0751));
    mode_t old_mask = umask(027);
    Result in_place = run_in(dir.path(), {"-q", "-i", "list.txt", "-f", "b", "-r", "x"});
    Result to_new = run_in(dir.path(), {"-q", "-i", "list.txt", "-o", "new.txt", "-f", "b", "-r", "x"});
    umask(old_mask);
    EXPECT_EQ(in_place.code, 0);
    EXPECT_EQ(to_new.code, 1);
    EXPECT_EQ(mode_of(dir / "list.txt"), 0751u);
    EXPECT_EQ(mode_of(dir / "NEW.TXT"), 0640u);
}

TEST(FileHandling, DeviceOutputIsWrittenDirectly) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "list.txt", "abc\n");
    Result r = run_in(dir.path(), {"-q", "-i", "list.txt", "-o", "/dev/null", "-f", "b", "-r", "x"});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(testkit::read_bytes(dir / "list.txt"), "abc\n");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"list.txt"});
}

TEST(FileHandling, LargeFilesMatchTheWholeTextEdit) {
    // Long lines, lone CRs and matches near every buffer border.
    std::mt19937 rng(7);
    const char alphabet[] = "abab\r\n";
    std::string text;
    text.reserve(3'300'000);
    while (text.size() < 3'200'000) {
        size_t run = rng() % 64 == 0 ? 700 + rng() % 2000 : rng() % 6;
        for (size_t i = 0; i < run; ++i) text += rng() % 3 ? 'a' : 'b';
        text += alphabet[rng() % 6];
    }
    testkit::TempDir dir;
    testkit::write_bytes(dir / "big.txt", text);
    Result r = run_in(dir.path(), {"-q", "-i", "big.txt", "-f", "aba", "-r", "<\\t>"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(testkit::read_bytes(dir / "big.txt") == morfex::edit_text(text, "aba", "<\t>"));
}

TEST(FileHandling, OverlongValuesAreRefusedBeforeAnyFileIsTouched) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "list.txt", "abc\n");
    std::string name(256, 'n');
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"-i", name + ".txt", "-f", "a", "-r", "b"}, "*** Inputfile name longer than 259 characters\n"},
        {{"-i", "list.txt", "-o", name + ".txt", "-f", "a", "-r", "b"}, "*** Outputfile name longer than 259 characters\n"},
        {{"-i", "list.txt", "-f", std::string(512, 'a'), "-r", "b"}, "*** Findstring longer than 511 characters\n"},
        {{"-i", "list.txt", "-f", "a", "-r", std::string(512, 'b')}, "*** Replacestring longer than 511 characters\n"},
    };
    for (const auto& [args, message] : cases) {
        std::vector<std::string> quiet = args;
        quiet.push_back("-q");
        Result r = run_in(dir.path(), quiet);
        EXPECT_EQ(r.code, 11);
        EXPECT_EQ(r.out, message);
        EXPECT_EQ(r.console, "*** Error <11> in File, regel 0000");
    }
    // At the limits everything is taken.
    Result r = run_in(dir.path(), {"-q", "-i", "list.txt", "-f", "abc", "-r", std::string(511, 'z')});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(testkit::read_bytes(dir / "list.txt"), std::string(511, 'z') + "\n");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"list.txt"});

    // The longest name the file system allows, edited in place and into a new file.
    const std::string longest = std::string(251, 'n') + ".txt";
    testkit::write_bytes(dir / longest, "abc\n");
    r = run_in(dir.path(), {"-q", "-i", longest, "-f", "b", "-r", "x"});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(testkit::read_bytes(dir / longest), "axc\n");
    r = run_in(dir.path(), {"-q", "-i", "list.txt", "-o", longest, "-f", "z", "-r", "y"});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(testkit::read_bytes(dir / longest), std::string(511, 'y') + "\n");
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"list.txt", longest}));
}

}  // namespace
