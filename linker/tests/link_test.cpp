// In-process runs against files in memory: write failures, open failures,
// limits, chain naming and the guards that the golden cases cannot reach.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "linker/file_access.hpp"
#include "linker/link_state.hpp"
#include "linker/map_report.hpp"
#include "linker/program_file.hpp"
#include "linker/run_fell.hpp"

namespace fell {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::string hex4(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", v & 0xFFFF);
    return buf;
}

// One object record with its checksum; fields already formatted.
std::string record(const std::string& fields, int seq) {
    std::string body = fields + "7";
    unsigned sum = 0;
    for (unsigned char c : body) sum += c;
    std::string line = body + hex4(0x10000 - sum % 0x10000) + "F";
    line.resize(76, ' ');
    char num[8];
    std::snprintf(num, sizeof num, "%04d", seq % 10000);
    return line + num + "\r\n";
}

std::string object(const std::vector<std::string>& records) {
    std::string out;
    int seq = 1;
    for (const std::string& r : records) out += record(r, seq++);
    return out + ":       TARN v1.2/a\r\n";
}

// A program file; its length word counts the 6 header bytes, as fell
// writes it, or (older files) the data alone.
std::string program(uint16_t flag, uint16_t load, const std::string& data, bool header_counted = true) {
    std::string h;
    const unsigned length = static_cast<unsigned>(data.size()) + (header_counted ? 6 : 0);
    for (unsigned v : {unsigned(flag), length, unsigned(load)}) {
        h += static_cast<char>(v >> 8);
        h += static_cast<char>(v);
    }
    return h + data;
}

struct Result {
    std::string console;
    int code;
};

Result link(FileSystem& files, const std::string& commands) {
    std::istringstream in(commands);
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    int code = run_fell_with({}, con, files);
    return {out.str(), code};
}

TEST(LinkRun, ShortWritesAreReported) {
    MemoryFileSystem files;
    files.max_file_size = 100;
    Result r = link(files, ".S P >A000 >A200\n");
    EXPECT_THAT(r.console, HasSubstr("Only >005E bytes written\n"));
    EXPECT_EQ(r.code, 1);

    files.max_file_size = 3;
    r = link(files, ".T\n.S P >A000 >A200\n");
    EXPECT_THAT(r.console, HasSubstr("Can't write program file header\n"));
    EXPECT_EQ(r.code, 1);

    files.max_file_size = 10000;
    r = link(files, ".M cart >6000 >7000\n");
    EXPECT_THAT(r.console, HasSubstr("Only >2710 bytes written\n"));
    EXPECT_EQ(files.files["cart"].size(), 10000u);
}

class CrowdedFileSystem : public FileSystem {
public:
    std::unique_ptr<InputStream> open_read(const std::string&, OpenFailure& why) override {
        why = OpenFailure::too_many_files;
        return nullptr;
    }
    std::unique_ptr<OutputStream> create(const std::string&, OpenFailure& why) override {
        why = OpenFailure::too_many_files;
        return nullptr;
    }
};

TEST(LinkRun, TooManyOpenFilesPrefixesEveryOpenFailure) {
    CrowdedFileSystem files;
    Result r = link(files, ".L a.obj\n.P prog\n.S out >A000 >A002\n.M cart >6000 >7000\n");
    EXPECT_THAT(r.console, HasSubstr("Too many open files, Can't open input file <a.obj>\n"));
    EXPECT_THAT(r.console, HasSubstr("Too many open files, Can't open input file <prog>\n"));
    EXPECT_THAT(r.console, HasSubstr("Too many open files, Can't open output file <out>\n"));
    EXPECT_THAT(r.console, HasSubstr("Too many open files, Can't open output file <cart>\n"));
}

TEST(LinkRun, MessagesAreCutAt254Characters) {
    MemoryFileSystem files;
    std::string name(300, 'n');
    Result r = link(files, ".L " + name + "\n");
    std::string message = "Can't open input file <" + name;
    message.resize(254);
    EXPECT_THAT(r.console, HasSubstr("ok>" + message + "ok>"));
}

TEST(LinkRun, RunsStartClean) {
    MemoryFileSystem files;
    files.files["a.obj"] = object({"00002A       A0000B1234", "50000FIRST "});
    Result first = link(files, ".L a.obj\n.R\n");
    EXPECT_THAT(first.console, HasSubstr(" FIRST  >A000"));
    Result second = link(files, ".R\n");
    EXPECT_THAT(second.console, HasSubstr("REF/DEF table 0 entries"));
    EXPECT_EQ(second.code, 0);
}

TEST(LinkRun, TableOverflowInsideAnObjectFileEndsTheRun) {
    std::vector<std::string> records{"00000BIG     "};
    for (int i = 0; i < 600; i += 4) {
        std::string fields;
        for (int j = i; j < i + 4; ++j) {
            char name[16];
            std::snprintf(name, sizeof name, "N%05d", j % 100000);
            fields += "6" + hex4(j) + name;
        }
        records.push_back(fields);
    }
    MemoryFileSystem files;
    files.files["big.obj"] = object(records);
    Result r = link(files, ".L big.obj\n.R\n");
    EXPECT_THAT(r.console, HasSubstr("*** REF/DEF table overflow\n"));
    EXPECT_THAT(r.console, Not(HasSubstr("REF/DEF table 512")));
    EXPECT_EQ(r.code, 1);
}

TEST(LinkRun, LongChainResolvesCompletely) {
    // A chain through every even word from >0002 to >FFFE.
    std::string data;
    for (unsigned a = 2; a < 0x10000; a += 2) {
        unsigned next = a + 2 < 0x10000 ? a + 2 : 0;
        data += static_cast<char>(next >> 8);
        data += static_cast<char>(next);
    }
    MemoryFileSystem files;
    files.files["chain"] = program(0, 2, data, false);  // too long to count the header
    files.files["ref.obj"] = object({"00000REF     40002LONG  60404LONG  "});
    Result r = link(files, ".P chain\n.L ref.obj\n.H-\n.S A0 >0002 >FFFE\n");
    EXPECT_THAT(r.console, Not(HasSubstr("loop")));
    std::string all;
    for (char c = '0'; c <= '7'; ++c) all += files.files[std::string("A") + c];
    ASSERT_EQ(all.size(), 0xFFFCu);
    for (size_t i = 0; i < all.size(); i += 2) ASSERT_EQ(all.substr(i, 2), "\x04\x04") << i;
}

TEST(LinkRun, ChainsEndWhereNamesRunOut) {
    MemoryFileSystem files;
    files.files["P\xff"] = program(0xFFFF, 0xA000, "ab");
    Result r = link(files, ".P P\xff\n.H-\n.S Q\xfe >A000 >A000 >A000 >F000\n");
    EXPECT_THAT(r.console, HasSubstr("Can't open input file <P>\n"));
    EXPECT_THAT(r.console, HasSubstr("Can't open output file <Q>\n"));
    EXPECT_EQ(files.files.count("Q\xfe"), 1u);
    EXPECT_EQ(files.files.count("Q\xff"), 1u);
}

// A record in which a checksum field is followed by more fields: each
// checksum covers the fields since the one before it.
TEST(LinkRun, ChecksumsInsideARecordEachCoverTheirOwnFields) {
    auto checksum = [](const std::string& fields) {
        unsigned sum = 0;
        for (unsigned char c : fields + "7") sum += c;
        return "7" + hex4(0x10000 - sum % 0x10000);
    };
    const std::string first = "00004TWO     A0000B1234";
    const std::string second = "B5678";
    std::string line = first + checksum(first) + second + checksum(second) + "F";
    MemoryFileSystem files;
    files.files["two.obj"] = line + "\r\n";
    Result r = link(files, ".L two.obj\n.S out >A000 >A004\n");
    EXPECT_THAT(r.console, Not(HasSubstr("Checksum")));
    EXPECT_EQ(files.files["out"].substr(6), std::string("\x12\x34\x56\x78", 4));

    files.files["two.obj"] = first + checksum(first) + second + checksum(first + second) + "F\r\n";
    r = link(files, ".L two.obj\n");
    EXPECT_THAT(r.console, HasSubstr("*** Checksum error in TI-File, line 1\n"));
}

TEST(LinkRun, LoadingWrapsAroundTheImage) {
    // Data that runs past >FFFF continues at >0000; a program file that would
    // run past the end is cut there.
    std::vector<std::string> records{"00000WRAP    9FFFE"};
    for (int i = 0; i < 3; ++i) records.push_back("B" + hex4(0x1111 * (i + 1)));
    MemoryFileSystem files;
    files.files["wrap.obj"] = object(records);
    files.files["high"] = program(0, 0xFFFF, "xy");
    Result r = link(files, ".L wrap.obj\n.H-\n.S low >0000 >0004\n.P high\n.S top >FFFE >FFFF\n");
    EXPECT_THAT(r.console, HasSubstr("Programfile to large, only >0001 bytes read\n"));
    EXPECT_EQ(files.files["low"], std::string("\x22\x22\x33\x33", 4));
    EXPECT_EQ(files.files["top"], std::string("\x11", 1));
}

TEST(LinkRun, HostileObjectFilesEndWithAMessage) {
    MemoryFileSystem files;
    // No line feed in the first 254 bytes: read as 80-byte cards.
    files.files["cards.obj"] = std::string(100000, 'B');
    files.files["binary.obj"] = std::string("\0\xff\n\x01\x02", 5);
    std::string runaway = "00000RUN     A0000";
    while (runaway.size() < 200000) runaway += "B4E71";
    files.files["long.obj"] = runaway;
    Result r = link(files, ".L cards.obj\n.L binary.obj\n.L long.obj\n");
    EXPECT_THAT(r.console, HasSubstr("*** No startaddress in TI-File, line 1\n"));
    EXPECT_THAT(r.console, HasSubstr("*** Indefined tag <     > in TI-File, line 1\n"));
    EXPECT_EQ(r.code, 1);
}

TEST(LinkRun, PauseTakesTheNextCharacterOfStandardInput) {
    std::string commands;
    for (int i = 0; i < 100; ++i) commands += ".A N" + std::to_string(i) + "\n";
    commands += ".R\nX.A AFTER\n.R\n";
    MemoryFileSystem files;
    Result r = link(files, commands);
    EXPECT_THAT(r.console, HasSubstr("\nPause, press any key ...\n"));
    EXPECT_THAT(r.console, HasSubstr(" AFTER  >0000"));
    EXPECT_EQ(r.code, 0);
}

TEST(LinkRun, ProgramFilesLoadWithEitherLengthWord) {
    MemoryFileSystem files;
    files.files["new"] = program(0, 0xA000, "abcdef");
    files.files["old"] = program(0, 0xB000, "ABCDEF", false);
    files.files["short"] = program(0, 0xC000, "xy") + "\x01";  // 3 of 2 + 6
    files.files["cut"] = program(0, 0xD000, "xy", false).substr(0, 7);
    Result r = link(files, ".P new\n.P old\n.P short\n.P cut\n.H-\n.S A >A000 >A006\n.S B >B000 >B006\n");
    EXPECT_EQ(files.files["A"], "abcdef");
    EXPECT_EQ(files.files["B"], "ABCDEF");
    // Neither length fits 3 bytes after the header, nor 1 of 2.
    EXPECT_THAT(r.console, HasSubstr("Only >0003 bytes read\n"));
    EXPECT_THAT(r.console, HasSubstr("Only >0001 bytes read\n"));
    EXPECT_EQ(r.code, 1);
}

// Sector count, last-sector byte count and padding around a sector boundary;
// the file loads back with .P+ to the same bytes.
TEST(LinkRun, V9t9HeadersAroundASectorBoundary) {
    struct Case {
        unsigned size, sectors, last_byte, file_size;
    };
    for (const Case c : {Case{0xF9, 1, 0xFF, 384}, Case{0xFA, 1, 0x00, 384}, Case{0xFB, 2, 0x01, 640}}) {
        std::string data;
        for (unsigned i = 0; i < c.size; ++i) data += static_cast<char>(i * 3 + 1);
        MemoryFileSystem files;
        files.files["src"] = program(0, 0xA000, data);
        files.files["zero"] = program(0, 0xA000, std::string(c.size, '\0'));
        const std::string last = hex4(0xA000 + c.size);
        Result r = link(files, ".P src\n.T\n.S V >A000 >" + last + "\n.P zero\n.P+ V\n.S back >A000 >" + last + "\n");
        EXPECT_EQ(r.code, 0) << r.console;
        const std::string& v = files.files["V"];
        ASSERT_EQ(v.size(), c.file_size) << c.size;
        EXPECT_EQ(v.substr(0, 12), "V         " + std::string(2, '\0'));
        const std::string sizes = {1, 0, 0, static_cast<char>(c.sectors), static_cast<char>(c.last_byte)};
        EXPECT_EQ(v.substr(12, 5), sizes) << c.size;
        EXPECT_EQ(v.substr(17, 111), std::string(111, '\0'));
        EXPECT_EQ(v.substr(128, 6 + c.size), program(0, 0xA000, data));
        EXPECT_EQ(v.substr(134 + c.size), std::string(c.file_size - 134 - c.size, '\0'));
        EXPECT_EQ(files.files["back"].substr(kV9t9HeaderSize, 6 + c.size), program(0, 0xA000, data));
    }
}

TEST(Records, LongNamesAreCutTo39Characters) {
    std::istringstream in;
    std::ostringstream out;
    platform::Console con{in, out, out};
    MemoryFileSystem files;
    LinkState s(con, files);
    std::string name(50, 'L');
    save_command(s, " dir\\" + name + ".EXT >A000 >A002");
    ASSERT_EQ(s.created_files.size(), 1u);
    EXPECT_EQ(s.created_files[0].name, name.substr(0, 39));
    EXPECT_EQ(files.files.count("dir\\" + name + ".EXT"), 1u);
    EXPECT_THAT(map_report(s), HasSubstr(" " + name.substr(0, 15) + ": Startaddres: >A000 Size: >0002\n"));
}

TEST(LinkRun, PromptAcceptsCrLfLines) {
    MemoryFileSystem files;
    Result r = link(files, ".A X\r\n.R\r\n");
    EXPECT_THAT(r.console, HasSubstr(" X      >0000"));
    EXPECT_EQ(r.code, 0);
}

}  // namespace
}  // namespace fell
