// Whole runs of the assembler on small sources.
#include <gtest/gtest.h>

#include "platform/paths.hpp"
#include "tarn_test_support.hpp"

using tarn_test::records;
using tarn_test::Result;
using tarn_test::Workspace;

namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(Driver, UsageAndMissingInput) {
    Workspace ws;
    Result usage = ws.run({});
    EXPECT_EQ(usage.code, 1);
    EXPECT_TRUE(contains(usage.console, "Usage  : Tarn -I<input file>"));
    EXPECT_EQ(ws.run({"?"}).code, 1);
    Result none = ws.run({"-I", "prog.a99"});
    EXPECT_EQ(none.code, 1);
    EXPECT_TRUE(contains(none.console, "No input file\n"));
    Result missing = ws.run({"-Inothere.a99"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(contains(missing.console, "Can't open input file <nothere.a99>\n"));
}

TEST(Driver, OutputOverSourceIsRefused) {
    Workspace ws;
    const std::string source = "       DATA 1\n       END\n";
    ws.write("prog.a99", source);
    Result r = ws.run({"-Iprog.a99", "-OPROG.A99"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.console, "Can't open output file <PROG.A99>"));
    r = ws.run({"-Iprog.a99", "-Lprog.a99"});
    EXPECT_EQ(r.code, 1);
    // Other spellings of the same file, and a second name of it.
    for (const char* object : {"-O./prog.a99", "-O.\\PROG.a99", "-Osub/../prog.a99", "-Oalias.a99"}) {
        std::filesystem::create_directories(ws.path() / "sub");
        std::filesystem::remove(ws.path() / "alias.a99");
        std::filesystem::create_hard_link(ws.path() / "prog.a99", ws.path() / "alias.a99");
        r = ws.run({"-Iprog.a99", object});
        EXPECT_EQ(r.code, 1) << object;
    }
    r = ws.run({"-Iprog.a99", "-Lx.obj", "-Ox.obj"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.console, "Can't open list file <x.obj>"));
    EXPECT_EQ(ws.read("prog.a99"), source);
}

TEST(Driver, FailedWriteIsNotSuccess) {
    Workspace ws;
    ws.write("prog.a99", "       DATA 1\n       END\n");
    Result r = ws.run({"-Iprog.a99", "-O/dev/full"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.console, "Can't write output file </dev/full>"));
}

TEST(Driver, SecondRunStartsClean) {
    Workspace ws;
    const char* source = "       DEF  A\n       REF  X\nA      DATA X,X\n       BYTE 1\n       END  A\n";
    Result first = ws.assemble(source);
    Result second = ws.assemble(source);
    EXPECT_EQ(first.console, second.console);
    EXPECT_EQ(first.object, second.object);
    EXPECT_EQ(first.listing, second.listing);
}

TEST(Object, RecordsChecksumToZero) {
    Workspace ws;
    std::string source;
    for (int i = 0; i < 40; ++i) source += "       DATA " + std::to_string(i * 977) + "\n";
    Result r = ws.assemble(source + "       END\n");
    for (const std::string& rec : records(r.object)) {
        if (rec[0] == ':') continue;
        ASSERT_GE(rec.size(), 6u);
        unsigned sum = 0;
        for (size_t i = 0; i + 5 < rec.size(); ++i) sum += static_cast<unsigned char>(rec[i]);
        unsigned value = std::stoul(rec.substr(rec.size() - 5, 4), nullptr, 16);
        EXPECT_EQ((sum + value) & 0xFFFF, 0u) << rec;
        EXPECT_EQ(rec.back(), 'F');
    }
}

TEST(Object, WordAfterClosedSegmentGetsItsLoadAddress) {
    Workspace ws;
    Result r = ws.assemble("       DATA 1\n       CSEG\n       DATA 3\n       CEND\n       DATA 5\n       END\n");
    auto recs = records(r.object);
    ASSERT_GE(recs.size(), 1u);
    EXPECT_TRUE(contains(recs[0], "A0000B0001P00000001B0003A0002B0005")) << recs[0];
}

TEST(Object, SegmentChangeAloneNeedsLoadAddress) {
    Workspace ws;
    // PEND returns to the program segment at the address the PSEG word left.
    Result r = ws.assemble("       PSEG\n       DATA 1\n       PEND\n       DATA 2\n       END\n");
    EXPECT_EQ(records(r.object)[0], "00004        A0000B0001A0002B00027F9CAF") << r.object;
    // A word at >0000 after one at >FFFE is placed again.
    r = ws.assemble("       AORG >FFFE\n       DATA 1,2\n       END\n");
    EXPECT_TRUE(contains(records(r.object)[0], "9FFFEB000190000B0002")) << r.object;
}

TEST(Object, ReferenceAtProgramOffsetZeroIsKept) {
    Workspace ws;
    Result r = ws.assemble("       REF  EXT,NEVER\n       DATA EXT\n       B    @EXT\n       DATA EXT\n       END\n");
    auto recs = records(r.object);
    // The chain: 0000 ends it, then links to relocatable 0000 and 0004.
    EXPECT_TRUE(contains(recs[0], "A0000B0000B0460C0000C0004")) << recs[0];
    EXPECT_TRUE(contains(r.object, "30006EXT   40000NEVER "));

    r = ws.assemble("       REF  EXT\n       DATA EXT\n       END\n");
    EXPECT_TRUE(contains(r.object, "30000EXT   ")) << r.object;

    // A REF name with an operator is no link: its word is an absolute 0.
    r = ws.assemble("       REF  EXT\n       B    @EXT\n       B    @EXT+2\n       END\n");
    EXPECT_TRUE(contains(records(r.object)[0], "A0000B0460B0000B0460B0000")) << r.object;
}

TEST(Object, ExternalsInDeclarationOrder) {
    Workspace ws;
    // B declared again by DEF takes its new, last place.
    Result r = ws.assemble("       DEF  B\n       DEF  A\n       REF  C\n       DEF  B\nA      DATA 1\nB      DATA 2\n"
                           "       END\n");
    EXPECT_TRUE(contains(r.object, "50000A     40000C     50002B     7")) << r.object;
}

TEST(Object, PendingByteStaysInItsSegment) {
    Workspace ws;
    Result r = ws.assemble("       BYTE >12\n       AORG >100\n       DATA 7\n       END\n");
    auto recs = records(r.object);
    EXPECT_TRUE(contains(recs[0], "A0000B120090100B0007")) << recs[0];
    r = ws.assemble("       DATA 1\n       BYTE >34\n       END\n");
    EXPECT_TRUE(contains(records(r.object)[0], "B0001B3400")) << r.object;
}

TEST(Object, PlacedBytesAtThePageEdgesAndTheTop) {
    Workspace ws;
    // The high bytes placed by DATA stay under the odd bytes written later,
    // at the last address of a 256-byte page and at the top of memory.
    Result r = ws.assemble("       AORG >00FE\n       DATA >1234\n       AORG >FFFE\n       DATA >5678\n"
                           "       AORG >00FF\n       BYTE >AB\n       AORG >FFFF\n       BYTE >CD\n       END\n");
    EXPECT_TRUE(contains(records(r.object)[0], "900FEB12AB")) << r.object;
    EXPECT_TRUE(contains(records(r.object)[0], "9FFFEB56CD")) << r.object;
}

TEST(Object, RepeatedOriginAndOddBytes) {
    Workspace ws;
    // The second RORG 0 must move the loader back.
    Result r = ws.assemble("       DATA 1\n       RORG 0\n       DATA 2\n       END\n");
    EXPECT_TRUE(contains(records(r.object)[0], "A0000B0001A0000B0002")) << r.object;
    // Bytes from an odd address fill the words at even addresses.
    r = ws.assemble("       BSS  1\n       BYTE 1,2,3\n       DATA 9\n       END\n");
    EXPECT_TRUE(contains(records(r.object)[0], "A0000B0001B0203B0009")) << r.object;
    // ... and so does a byte completing a flushed even byte.
    r = ws.assemble("       BYTE 1\n       BSS  0\n       BYTE 2\n       END\n");
    EXPECT_TRUE(contains(records(r.object)[0], "A0000B0100A0001A0000B0102")) << r.object;
    // A byte flushed by BES lands at its own address.
    r = ws.assemble("       DATA 1\n       BYTE 5\nL      BES  4\n       END\n");
    EXPECT_TRUE(contains(records(r.object)[0], "B0001A0003A0002B0500A0007")) << r.object;
}

TEST(Object, CompressedForm) {
    Workspace ws;
    Result r = ws.assemble("       IDT  'CMP'\n       DEF  A\nA      DATA >0A0D,A\n       END  A\n", {"-C"});
    const std::string& obj = r.object;
    ASSERT_EQ(obj.size() % 80, 0u);
    ASSERT_GE(obj.size(), 160u);
    EXPECT_EQ(obj[0], '\x01');
    EXPECT_EQ(obj.substr(3, 8), "CMP     ");
    for (size_t rec = 0; rec + 80 <= obj.size() - 80; rec += 80) {
        // Fields, then '7', the checksum bytes and 'F'; the sum is 0.
        size_t f = obj.find_last_of('F', rec + 75);
        ASSERT_NE(f, std::string::npos);
        unsigned sum = 0;
        for (size_t i = rec; i + 2 < f; ++i) sum += static_cast<unsigned char>(obj[i]);
        unsigned check = static_cast<unsigned char>(obj[f - 2]) << 8 | static_cast<unsigned char>(obj[f - 1]);
        EXPECT_EQ(obj[f - 3], '7');
        EXPECT_EQ((sum + check) & 0xFFFF, 0u);
        EXPECT_EQ(obj.substr(rec + 76, 4), rec == 0 ? "0001" : "0002");
    }
    EXPECT_NE(obj.find(std::string("A\x00\x00" "B\x0A\x0D" "C\x00\x00", 9)), std::string::npos);
    EXPECT_EQ(obj.substr(obj.size() - 80, 19), ":       TARN v1.2/a");
}

TEST(Source, LongLinesBinaryBytesAndTooManySymbols) {
    Workspace ws;
    std::string line(300, ' ');
    line.replace(260, 6, "DATA 1");
    Result r = ws.assemble(line + "\n       END\n");
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(contains(r.listing, "  0002 0000 0001"));

    std::string garbage;
    for (int i = 0; i < 4000; ++i) garbage += static_cast<char>((i * 37) % 256);
    r = ws.assemble(garbage);
    EXPECT_EQ(r.code, 1);

    std::string many;
    for (int i = 0; i < 1984; ++i) many += "L" + std::to_string(i) + " DATA 0\n";
    EXPECT_EQ(ws.assemble(many + "       END\n").code, 0);  // with R0 to R15: 2000 names
    r = ws.assemble(many + "EXTRA  DATA 0\n       END\n");
    EXPECT_EQ(r.code, 12);
    EXPECT_FALSE(contains(r.console, "*****"));
}

TEST(Source, NestedCopyReturnsToOuterFile) {
    Workspace ws;
    ws.write("outer.a99", "       DATA 1\n       COPY \"inner.a99\"\n       DATA 3\n");
    ws.write("inner.a99", "       DATA 2\n");
    Result r = ws.assemble("       COPY \"outer.a99\"\n       DATA 4\n       END\n");
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(contains(r.object, "A0000B0001B0002B0003B0004")) << r.object;

    r = ws.assemble("       COPY \"prog.a99\"\n       END\n");
    EXPECT_EQ(r.code, 12);
    EXPECT_TRUE(contains(r.console, "Can't open input file <prog.a99>\n"));
}

TEST(Source, CopySearchOrderAndSubstitution) {
    Workspace ws;
    platform::set_drive_root('C', (ws.path() / "c").string());
    platform::set_drive_root('D', (ws.path() / "d").string());
    ws.write("tarn.ini", "[CONFIG]\nINCLUDE=C:\\LIB;D:\\SRC\nEXTENSIONS=A99;ASM\n[SUBSTITUTE]\nDSK1.=D:\\SRC\\\n");
    ws.write("d/SRC/util.asm", "       DATA >ACE\n");
    ws.write("d/SRC/util.a99", "       DATA >A99\n");
    ws.write("c/lib/Util.asm", "       DATA >C1\n");
    Result r = ws.assemble("       COPY \"UTIL\"\n       END\n", {"-V"});
    EXPECT_TRUE(contains(r.console, "* Copy file          : D:\\SRC\\UTIL.A99\n")) << r.console;
    r = ws.assemble("       COPY \"util.asm\"\n       END\n");
    EXPECT_TRUE(contains(r.object, "B00C1"));
    r = ws.assemble("       COPY \"dsk1.util.asm\"\n       END\n");
    EXPECT_TRUE(contains(r.object, "B0ACE"));
    r = ws.assemble("       COPY \"dsk1.util.asm\"\n       COPY \"DSK1.UTIL\"\n       END\n");
    EXPECT_TRUE(contains(r.object, "B0ACEB0A99")) << r.object;
    ws.write("sub/prog.a99", "       COPY \".\\..\\here.a99\"\n       END\n");
    ws.write("here.a99", "       DATA >123\n");
    r = ws.run({"-Isub/prog.a99"});
    EXPECT_EQ(r.code, 0) << r.console;
    EXPECT_TRUE(contains(ws.read("sub/prog.obj"), "B0123"));
    platform::set_drive_root('C', "");
    platform::set_drive_root('D', "");
}

TEST(Source, ConditionalNesting) {
    Workspace ws;
    std::string ten, eleven;
    for (int i = 0; i < 10; ++i) ten += "#ifndef NONE\n";
    std::string body = "       DATA 1\n";
    for (int i = 0; i < 10; ++i) body += "#endif\n";
    Result r = ws.assemble(ten + body + "       END\n");
    EXPECT_EQ(r.code, 0);
    r = ws.assemble(ten + "#ifdef NONE\n" + body + "#endif\n       END\n");
    EXPECT_TRUE(contains(r.console, "NESTING #IF/#IFDEF/#IFNDEF TOO DEEP - 0011"));
    r = ws.assemble("#if 0\n       DATA 1\n#else\n       DATA 2\n#ELSE\n#endif\n#define X\n       END\n");
    EXPECT_TRUE(contains(r.object, "B0002"));
    EXPECT_FALSE(contains(r.object, "B0001"));
    EXPECT_TRUE(contains(r.console, "MULTIPLE #ELSE - 0005"));
    EXPECT_TRUE(contains(r.console, "INVALID DIRECTIVE - 0007"));
    r = ws.assemble("#ifdef X\n       END\n");
    EXPECT_TRUE(contains(r.console, "END ASSUMED - 0003\n*****  MISSING #ENDIF - 0003"));
}

TEST(Instructions, DxopWithLongOperand) {
    Workspace ws;
    std::string operand = "@" + std::string(200, '1');
    Result r = ws.assemble("       DXOP SVC,5\n       SVC  R3\n       SVC  " + operand + "\n       DXOP BAD,16\n       END\n");
    EXPECT_TRUE(contains(r.object, "B2D43"));  // XOP R3,5
    EXPECT_TRUE(contains(r.console, "INVALID REGISTER - 0004"));
}

}  // namespace
