#include "shortcut/pinmaker.hpp"
#include "shortcut/options.hpp"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "link_readers.hpp"
#include "platform/paths.hpp"
#include "testkit/testkit.hpp"

namespace fs = std::filesystem;
using pinmaker_test::lnk_fields;
using pinmaker_test::read_back;
using pinmaker_test::reader_complaint;

namespace {

struct Result {
    int code;
    std::string err;
};

// A working folder holding tool.exe, tööl.exe, icon.ico and work/; it is also drive C:.
class Pinmaker : public testing::Test {
protected:
    testkit::TempDir dir;
    testkit::ScopedCwd cwd{dir.path()};

    void SetUp() override {
        testkit::write_bytes(dir / "tool.exe", "MZ");
        testkit::write_bytes(dir / "t\xc3\xb6\xc3\xb6l.exe", "MZ123");  // tööl.exe
        testkit::write_bytes(dir / "icon.ico", "");
        fs::create_directory(dir / "work");
        platform::set_drive_root('C', dir.path().string());
    }
    void TearDown() override { platform::set_drive_root('C', ""); }

    Result run(const std::vector<std::string>& args) {
        std::istringstream in;
        std::ostringstream out, err;
        platform::Console con{in, out, err};
        int code = run_pinmaker(args, con);
        EXPECT_EQ(out.str(), "");
        return {code, err.str()};
    }

    // The name a file of the working folder has on drive Z:.
    std::string on_z(std::string_view name) const {
        std::string path = "Z:" + dir.path().string() + "/" + std::string(name);
        for (char& c : path)
            if (c == '/') c = '\\';
        return path;
    }

    std::set<fs::path> files() const {
        std::set<fs::path> found;
        for (const auto& e : fs::recursive_directory_iterator(dir.path()))
            if (e.is_regular_file()) found.insert(e.path());
        return found;
    }

    std::map<std::string, std::string> fields(std::string_view name) {
        pinmaker_test::ReaderRun r = read_back(dir / name);
        EXPECT_EQ(r.status, 0) << r.output;
        return lnk_fields(r.output);
    }
};

uint32_t u32_at(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b.at(at + i));
    return v;
}

}  // namespace

TEST_F(Pinmaker, EveryFieldReadsBackWithLnkinfo) {
    Result r = run({"-Sshort.lnk", "-Tt\xc3\xb6\xc3\xb6l.exe", "-A-x \"a b\" \xc3\xbc", "-Wwork", "-Iicon.ico", "-N5",
                    "-DBeschrijving \xc3\xa9\xe2\x82\xac"});
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    auto f = fields("short.lnk");
    EXPECT_EQ(f["Local path"], on_z("t\xc3\xb6\xc3\xb6l.exe"));
    EXPECT_EQ(f["Name"], "t\xc3\xb6\xc3\xb6l.exe");  // the file's item in the ID list
    EXPECT_EQ(f["File size"], "5 bytes");
    EXPECT_EQ(f["Description"], "Beschrijving \xc3\xa9\xe2\x82\xac");
    EXPECT_EQ(f["Relative path"], ".\\t\xc3\xb6\xc3\xb6l.exe");
    EXPECT_EQ(f["Working directory"], on_z("work"));
    EXPECT_EQ(f["Command line arguments"], "-x \"a b\" \xc3\xbc");
    EXPECT_EQ(f["Icon location"], on_z("icon.ico"));
    EXPECT_EQ(f["Icon index"], "5");
    // lnkinfo misreports these two, so they are read directly.
    std::string bytes = testkit::read_bytes(dir / "short.lnk");
    EXPECT_EQ(u32_at(bytes, 0x3C), 1u);  // show normal
    EXPECT_EQ(u32_at(bytes, 0x40), 0u);  // no hot key
    EXPECT_EQ(u32_at(bytes, bytes.size() - 4), 0u);
}

TEST_F(Pinmaker, TwentyWordsWithTheProgramName) {
    std::vector<std::string> args = {"-Sa.lnk", "-Ttool.exe"};
    args.resize(19, "-Q");
    EXPECT_EQ(run(args).code, 0);
    EXPECT_TRUE(fs::exists(dir / "a.lnk"));
}

TEST_F(Pinmaker, FailedSettingsAreReportedAndTheRestIsSaved) {
    Result r = run({"-Sa.lnk", "-T\xff.exe", "-Q", "-Aok", "-D" + std::string(260, 'd')});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "Fatal Error: SetPath to Target failed!\nFatal Error: SetDescription failed!\n");
    auto f = fields("a.lnk");
    EXPECT_EQ(f.count("Local path"), 0u);
    EXPECT_EQ(f["Command line arguments"], "ok");
}

// Whatever the text, a run either writes one file its reader accepts or
// says why not, ends with 1 and writes nothing.
TEST_F(Pinmaker, AnyTextGivesAReadableFileOrAFailure) {
    const std::vector<std::string> texts = {
        "", "x", std::string(258, 'a'), std::string(300, 'a'), std::string(70000, 'a'), "\xff\xfe", "\xc0\xaf",
        "\xed\xa0\x80", "\x01\x1b[31m", "a\nb", "\t", "\"", "\\", "%", "=", "$HOME `id` ~", "\xc3\x9cn\xc3\xaf",
        "\xf0\x9f\x98\x80", "..\\..", "C:", "\\\\server\\share\\x", "/", "-x", " lead", "trail ",
    };
    std::vector<std::vector<std::string>> runs;
    for (const std::string& t : texts) {
        bool stays_here = t.find("..") == std::string::npos && (t.empty() || (t[0] != '/' && t[0] != '\\'));
        for (const char* ext : {"", ".lnk", ".desktop"})
            if (stays_here) runs.push_back({"-S" + t + ext, "-Ttool.exe"});
        for (const char* name : {"-Sa.lnk", "-Sa.desktop"}) {
            runs.push_back({name, "-T" + t, "-Q"});
            runs.push_back({name, "-Ttool.exe", "-A" + t});
            runs.push_back({name, "-Ttool.exe", "-D" + t});
            runs.push_back({name, "-Ttool.exe", "-W" + t, "-I" + t, "-Q"});
        }
    }
    const std::set<fs::path> before = files();
    for (const auto& args : runs) {
        std::string label = testing::PrintToString(args);
        Result r = run(args);
        std::set<fs::path> now = files();
        std::vector<fs::path> created;
        for (const fs::path& p : now)
            if (!before.count(p)) created.push_back(p);
        if (r.code == 1) {
            EXPECT_NE(r.err, "") << label;
            EXPECT_TRUE(created.empty()) << label;
        } else {
            ASSERT_EQ(r.code, 0) << label;
            ASSERT_EQ(created.size(), 1u) << label;
            EXPECT_EQ(reader_complaint(created[0]), "") << label;
        }
        for (const fs::path& p : created) fs::remove(p);
    }
}

TEST(IconOffset, DecimalKeptAsSignedByte) {
    const std::pair<const char*, int> cases[] = {
        {"5", 5},      {"  -3", -3}, {"+7", 7},     {"127", 127}, {"128", -128}, {"-129", 127}, {"300", 44},
        {"12abc", 12}, {"", 0},      {"x5", 0},     {"- 5", 0},   {"\t 9", 9},
        {"99999999999999999999", -1},  // 10^20 - 1 leaves 255 in the low byte
    };
    for (auto [text, value] : cases) EXPECT_EQ(pinmaker::parse_icon_offset(text), value) << '"' << text << '"';
}
