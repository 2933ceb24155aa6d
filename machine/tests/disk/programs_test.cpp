// TMS9900 programs (machine/tests/disk/programs) run by scree with --disk
// and --printer as a user runs them: one writes files of every kind and
// another reads them back; a loader LOADs, SAVEs and starts a program file.
#include <gtest/gtest.h>

#include "machine/run/scree.hpp"
#include "machine/tests/support/build_program.hpp"

namespace {

namespace fs = std::filesystem;

struct ScreeRun {
    int code = 0;
    std::string out;
    std::string err;
};

class Programs : public ::testing::Test {
protected:
    Programs() {
        const fs::path programs = testkit::source_dir() / "machine" / "tests" / "disk" / "programs";
        testkit::copy_tree(programs, dir_.path());
        fs::create_directory(dir_ / "disk");
    }

    void build(const std::string& name) {
        const scree_test::ToolRun a =
            scree_test::assemble(dir_.path(), name, testkit::read_bytes(dir_ / (name + ".a99")));
        ASSERT_EQ(a.code, 0) << a.console;
        const scree_test::ToolRun l = scree_test::link(dir_.path(), name, testkit::read_bytes(dir_ / (name + ".lnk")));
        ASSERT_EQ(l.code, 0) << l.console;
    }

    ScreeRun scree(std::vector<std::string> args) {
        std::istringstream in;
        std::ostringstream out, err;
        platform::Console con{in, out, err};
        testkit::ScopedCwd cwd(dir_.path());
        ScreeRun r;
        r.code = scree::run_scree(args, con);
        r.out = out.str();
        r.err = err.str();
        return r;
    }

    std::string disk_file(const std::string& name) const { return testkit::read_bytes(dir_ / "disk" / name); }

    testkit::TempDir dir_;
};

uint8_t at(const std::string& s, size_t i) { return static_cast<uint8_t>(s.at(i)); }

TEST_F(Programs, OneProgramWritesEveryKindOfFileAndAnotherReadsThemBack) {
    build("writer");
    build("reader");
    const ScreeRun w = scree({"--disk", "1=disk", "--until-idle", "WRITER"});
    ASSERT_EQ(w.code, 0) << w.err;
    EXPECT_EQ(w.out, "WRITTEN\n");

    EXPECT_EQ(disk_file("RESULT.TXT"), "FIRST LOG LINE\r\n\r\nTHE THIRD\r\n");
    // The files' headers: tifiles_test checks each field.
    const std::string fixed = disk_file("FIXED");
    ASSERT_EQ(fixed.size(), 128u + 256);
    EXPECT_EQ(fixed.substr(0, 16), std::string("\x07TIFILES\0\x01\x00\x08\x00\x20\x02\x00", 16));
    EXPECT_EQ(disk_file("INTFIX").substr(8, 8), std::string("\0\x01\x02\x10\x00\x10\x02\x00", 8));
    EXPECT_EQ(disk_file("RELFILE").substr(128, 30), "RECORD 0  RECORD 1  RECORD 2  ");

    const ScreeRun r = scree({"--disk", "1=disk", "--until-idle", "--printer", "printed.txt", "READER"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const std::string apple = std::string("\x05" "APPLE", 6) + std::string(10, '\0');
    const std::string pear = std::string("\x04" "PEAR", 5) + std::string(11, '\0');
    EXPECT_EQ(testkit::read_bytes(dir_ / "printed.txt"),
              "FIRST LOG LINE\r\n\r\nTHE THIRD\r\nEOF\r\n"
              "FIXED RECORD ONE, 32 CHARACTERS.\r\nFIXED RECORD TWO                \r\nEOF\r\n" +
                  apple + "\r\n" + pear + "\r\nEOF\r\n" + "RECORD 1  \r\nRECORD 2  \r\nEOF\r\nRECORD 0  \r\n");
}

TEST_F(Programs, ALoaderLoadsSavesAndStartsAProgramFile) {
    build("game");
    build("loader");
    fs::copy_file(dir_ / "GAME", dir_ / "disk" / "GAME");
    const ScreeRun r = scree({"--disk", "1=disk", "--until-idle", "LOADER"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "GAME RUNNING\n");
    const std::string game = disk_file("GAME");
    const std::string copy = disk_file("GAMECOPY");
    ASSERT_EQ(copy.size(), 128 + (game.size() + 255) / 256 * 256);
    EXPECT_EQ(at(copy, 10), 0x01) << "program";
    EXPECT_EQ(at(copy, 12), game.size() % 256);
    EXPECT_EQ(copy.substr(128, game.size()), game);
}

// The test frame of examples/testframe with assertions that pass and fail.
TEST_F(Programs, TheTestFrameLogsPassAndFailLinesAndPrintsThem) {
    fs::copy_file(testkit::source_dir() / "examples" / "testframe" / "testframe.a99", dir_ / "testframe.a99");
    const scree_test::ToolRun frame = scree_test::assemble(dir_.path(), "testframe", testkit::read_bytes(dir_ / "testframe.a99"));
    ASSERT_EQ(frame.code, 0) << frame.console;
    build("frametest");
    const std::string lines =
        "FAIL (NO CASE): EXPECTED >0001, GOT >0000\n"
        "PASS PASSES\n"
        "FAIL AEQ FAILS: EXPECTED >0006, GOT >0005\n"
        "FAIL AEQI FAILS: EXPECTED >ABCD, GOT >1234\n"
        "FAIL AMEM FAILS: BYTES DIFFER AT >8322 AND >8332\n"
        "FAIL KEEPS REGISTERS: EXPECTED >0001, GOT >0000\n"
        "PASS LAST PASSES\n"
        "DONE: 2 PASSED, 5 FAILED\n";
    const ScreeRun r = scree({"--disk", "1=disk", "--until-idle", "--screen", "FRAMETEST"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, lines.size()), lines) << "printed";
    EXPECT_EQ(r.out.substr(lines.size(), 25), "DONE: 2 PASSED, 5 FAILED\n") << "the screen's top row";
    std::string log = lines;
    for (size_t at = 0; (at = log.find('\n', at)) != std::string::npos; at += 2) log.insert(at, "\r");
    EXPECT_EQ(disk_file("FRAMELOG.TXT"), log);

    const ScreeRun nolog = scree({"--until-idle", "FRAMETEST"});
    ASSERT_EQ(nolog.code, 0) << nolog.err;
    EXPECT_EQ(nolog.out.substr(0, 40), "FAIL LOG: CANNOT OPEN DSK1.FRAMELOG.TXT\n");
    EXPECT_NE(nolog.out.find("DONE: 2 PASSED, 6 FAILED\n"), std::string::npos) << nolog.out;
}

TEST_F(Programs, BadDiskAndPrinterOptionsEndTheRunBeforeItStarts) {
    build("writer");
    ScreeRun r = scree({"--disk", "1=nowhere", "WRITER"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "scree: --disk 1=nowhere: no such folder\n");
    r = scree({"--disk", "1=disk", "--printer", "disk/no/such/folder.txt", "WRITER"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "scree: --printer disk/no/such/folder.txt: the file cannot be created\n");
    EXPECT_TRUE(fs::is_empty(dir_ / "disk"));
}

}  // namespace
