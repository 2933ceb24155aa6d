// tarn, fell and morfex on names that Windows treats apart: devices, drive
// letters, UNC names, read-only files and files that another program holds.
// Each run ends at once with the program's message and exit code and leaves
// every file as it was.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <sstream>

#include "assembler/tarn.hpp"
#include "findreplace/morfex.hpp"
#include "linker/fell.hpp"
#include "testkit/testkit.hpp"

namespace {

struct Outcome {
    int code = -1;
    std::string out;  // standard output, and morfex's console lines after it
};

template <typename Program>
Outcome run(Program program, std::vector<std::string> args) {
    std::istringstream in;
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    Outcome r;
    r.code = program(args, con);
    r.out = out.str() + err.str();
    return r;
}

Outcome tarn_run(std::vector<std::string> args) { return run(run_tarn, std::move(args)); }
Outcome fell_run(std::vector<std::string> args) { return run(run_fell, std::move(args)); }
Outcome morfex_run(std::vector<std::string> args) {
    args.push_back("-q");
    return run([](const auto& a, auto& c) { return run_morfex(a, c); }, std::move(args));
}

std::string windows_name(const std::filesystem::path& p) {
    std::string s = p.string();
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

class BadInput : public ::testing::Test {
protected:
    BadInput() : cwd_(dir_.path()) {
        for (const char* name : {"hello.a99", "hello.lnk"})
            std::filesystem::copy_file(testkit::source_dir() / "examples" / name, dir_ / name);
        testkit::write_bytes(dir_ / "t.txt", "abc\r\n");
    }
    ~BadInput() override {
        for (const auto& e : std::filesystem::directory_iterator(dir_.path()))
            SetFileAttributesA(e.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    // The names and contents of the folder's files.
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(dir_.path()))
            out[e.path().filename().string()] = testkit::read_bytes(e.path());
        return out;
    }

    // Holds name open as another program would, sharing as share says.
    HANDLE hold(const char* name, DWORD share) {
        HANDLE h = CreateFileA((dir_ / name).string().c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(h, INVALID_HANDLE_VALUE) << name;
        return h;
    }

    void make_read_only(const char* name) {
        ASSERT_TRUE(SetFileAttributesA((dir_ / name).string().c_str(), FILE_ATTRIBUTE_READONLY));
    }

    testkit::TempDir dir_;
    testkit::ScopedCwd cwd_;
};

#define EXPECT_RUN(run, exit_code, text)                              \
    do {                                                              \
        Outcome r_ = (run);                                               \
        EXPECT_EQ(r_.code, exit_code) << r_.out;                      \
        EXPECT_NE(r_.out.find(text), std::string::npos) << r_.out;    \
    } while (0)

}  // namespace

TEST_F(BadInput, DeviceNamesAreRefusedAsFiles) {
    const auto before = files();
    EXPECT_RUN(tarn_run({"-ICON"}), 1, "Can't open input file <CON>");
    EXPECT_RUN(tarn_run({"-Iaux.a99"}), 1, "Can't open input file <aux.a99>");
    EXPECT_RUN(tarn_run({"-Ihello.a99", "-R", "-ONUL"}), 1, "Can't open output file <NUL>");
    EXPECT_RUN(tarn_run({"-Ihello.a99", "-R", "-Ohello.obj", "-Lcon.lst"}), 1, "Can't open list file <con.lst>");
    std::filesystem::remove(dir_ / "hello.obj");
    EXPECT_RUN(fell_run({"-Lhello.lnk", "-Mnul"}), 1, "Can't open map file <nul>");
    EXPECT_RUN(fell_run({"-Eaux.err"}), 1, "Can't open error file <aux.err>");
    testkit::write_bytes(dir_ / "dev.lnk", ".L AUX\r\n.L com1.obj\r\n");
    EXPECT_RUN(fell_run({"-Ldev.lnk"}), 1, "Can't open input file <AUX>");
    std::filesystem::remove(dir_ / "dev.lnk");
    EXPECT_RUN(morfex_run({"-i", "AUX", "-f", "a", "-r", "b"}), 11, "Cannot open input file <AUX>");
    EXPECT_RUN(morfex_run({"-i", "con", "-f", "a", "-r", "b"}), 11, "Cannot open input file <CON>");
    EXPECT_RUN(morfex_run({"-i", "t.txt", "-o", "nul.txt", "-f", "a", "-r", "b"}), 11, "Cannot open output file <-o NUL.TXT>");
    EXPECT_EQ(files(), before);
}

TEST_F(BadInput, DriveLettersAndUncNames) {
    const std::string folder = windows_name(dir_.path());
    ASSERT_EQ(folder[1], ':');
    EXPECT_RUN(tarn_run({"-I" + folder + "\\hello.a99", "-R"}), 0, "Tarn");
    EXPECT_TRUE(std::filesystem::exists(dir_ / "hello.obj"));
    EXPECT_RUN(morfex_run({"-i", folder + "\\t.txt", "-f", "b", "-r", "x"}), 0, "");
    EXPECT_RUN(morfex_run({"-i", "\\\\?\\" + folder + "\\t.txt", "-f", "x", "-r", "y"}), 0, "");
    EXPECT_EQ(testkit::read_bytes(dir_ / "t.txt"), "ayc\r\n");
    const auto before = files();
    EXPECT_RUN(tarn_run({"-I\\\\nosuchhost\\share\\hello.a99"}), 1, "Can't open input file <\\\\nosuchhost");
    EXPECT_RUN(morfex_run({"-i", "\\\\nosuchhost\\share\\t.txt", "-f", "a", "-r", "b"}), 2, "Cannot open input file");
    EXPECT_RUN(morfex_run({"-i", "t.txt", "-o", "//nosuchhost/share/t.txt", "-f", "a", "-r", "b"}), 11,
               "Cannot open output file");
    EXPECT_RUN(tarn_run({"-Ihello.a99", "-OQ:\\no\\hello.obj"}), 1, "Can't open output file <Q:\\no\\hello.obj>");
    EXPECT_EQ(files(), before);
}

TEST_F(BadInput, ReadOnlyFilesAreNotReplaced) {
    ASSERT_EQ(tarn_run({"-Ihello.a99", "-R"}).code, 0);
    ASSERT_EQ(fell_run({"-Lhello.lnk"}).code, 0);
    for (const char* name : {"hello.a99", "hello.obj", "HELLO", "t.txt"}) make_read_only(name);
    const auto before = files();
    EXPECT_RUN(tarn_run({"-Ihello.a99", "-R"}), 1, "Can't open output file <hello.obj>");
    EXPECT_RUN(fell_run({"-Lhello.lnk"}), 1, "Can't open output file");
    // In place: the file stays, and so does nothing else, so a second run
    // meets no backup of the first.
    for (int i = 0; i < 2; ++i) EXPECT_RUN(morfex_run({"-i", "t.txt", "-f", "a", "-r", "b"}), 11, "Cannot write output file");
    EXPECT_EQ(files(), before);
    EXPECT_TRUE(GetFileAttributesA("t.txt") & FILE_ATTRIBUTE_READONLY);
    EXPECT_RUN(tarn_run({"-Ihello.a99", "-R", "-Ohello2.obj"}), 0, "Tarn");  // a read-only source reads
}

TEST_F(BadInput, FilesHeldByAnotherProgramAreLeftAlone) {
    const auto before = files();
    HANDLE held = hold("hello.a99", 0);
    EXPECT_RUN(tarn_run({"-Ihello.a99", "-R"}), 1, "Can't open input file <hello.a99>");
    CloseHandle(held);
    held = hold("t.txt", 0);
    EXPECT_RUN(morfex_run({"-i", "t.txt", "-f", "a", "-r", "b"}), 5, "Cannot open input file <T.TXT>");
    CloseHandle(held);
    // A reader that lets others read and write but not delete: the file
    // cannot be replaced, and morfex's run leaves nothing behind.
    held = hold("t.txt", FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_RUN(morfex_run({"-i", "t.txt", "-f", "a", "-r", "b"}), 11, "Cannot write output file <T.TXT>");
    EXPECT_EQ(files(), before);
    CloseHandle(held);
    EXPECT_RUN(morfex_run({"-i", "t.txt", "-f", "a", "-r", "b"}), 0, "");
    EXPECT_EQ(testkit::read_bytes(dir_ / "t.txt"), "bbc\r\n");

    ASSERT_EQ(tarn_run({"-Ihello.a99", "-R"}).code, 0);
    const auto built = files();
    held = hold("hello.obj", FILE_SHARE_READ);
    EXPECT_RUN(tarn_run({"-Ihello.a99", "-R"}), 1, "Can't open output file <hello.obj>");
    EXPECT_RUN(fell_run({"-Lhello.lnk", "-Mhello.obj"}), 1, "Can't open map file <hello.obj>");
    CloseHandle(held);
    EXPECT_EQ(files(), built);
}
