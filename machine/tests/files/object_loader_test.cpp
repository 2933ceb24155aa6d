#include <gtest/gtest.h>

#include <cstdio>

#include "machine/files/object_loader.hpp"
#include "machine/tests/support/build_program.hpp"

namespace {

// Assembles source (with the extra tarn arguments) and returns the object file.
std::string object_of(const testkit::TempDir& dir, std::string_view name, std::string_view source,
                      const std::vector<std::string>& extra = {}) {
    const scree_test::ToolRun r = scree_test::assemble(dir.path(), name, source, extra);
    EXPECT_EQ(r.code, 0) << r.console;
    return testkit::read_bytes(dir / (std::string(name) + ".obj"));
}

const char* const kMain = R"(       DEF  START
       REF  LIBVAL,VMBW
START  LI   R0,LIBVAL
       MOV  @LIBVAL,R1
       BLWP @VMBW
       BLWP @VMBW
       DATA START
       END  START
)";
const char* const kLib = R"(       DEF  LIBVAL
       REF  START
       DATA START
LIBVAL DATA >1234
       END
)";

// A text record: the fields, their checksum and the end tag.
std::string record(std::string_view fields) {
    unsigned sum = '7';
    for (char c : fields) sum += static_cast<unsigned char>(c);
    char tail[16];
    std::snprintf(tail, sizeof tail, "7%04XF\r\n", (0x10000 - sum % 0x10000) % 0x10000);
    return std::string(fields) + tail;
}

struct Loaded {
    scree::LoadImage image;
    scree::ObjectLoader loader{image};
    std::string error;
};

TEST(ObjectLoader, ModulesFollowEachOtherFromA000AndReferencesResolveBothWays) {
    testkit::TempDir dir;
    for (const auto& form : std::vector<std::vector<std::string>>{{}, {"-C"}}) {
        Loaded l;
        ASSERT_TRUE(l.loader.load("main.obj", object_of(dir, "main", kMain, form), l.error)) << l.error;
        ASSERT_TRUE(l.loader.load("lib.obj", object_of(dir, "lib", kLib, form), l.error)) << l.error;
        ASSERT_TRUE(l.loader.resolve(l.error)) << l.error;
        // main: LI (4), MOV (4), BLWP (4), BLWP (4), DATA (2) = >12 bytes.
        const uint16_t libval = 0xA012 + 2;
        EXPECT_EQ(l.image.word(0xA002), libval);
        EXPECT_EQ(l.image.word(0xA006), libval);
        EXPECT_EQ(l.image.word(0xA00A), 0x2110);  // VMBW's vector
        EXPECT_EQ(l.image.word(0xA00E), 0x2110);
        EXPECT_EQ(l.image.word(0xA010), 0xA000);
        EXPECT_EQ(l.image.word(0xA012), 0xA000);  // the later module's REF to START
        EXPECT_EQ(l.image.word(libval), 0x1234);
        EXPECT_EQ(l.loader.entry(), 0xA000);
        EXPECT_EQ(l.loader.definition("LIBVAL"), libval);
    }
}

TEST(ObjectLoader, AbsoluteCodeLoadsAtItsAddressAndLeavesTheRelocationBase) {
    testkit::TempDir dir;
    Loaded l;
    ASSERT_TRUE(l.loader.load("abs.obj", object_of(dir, "abs", "       AORG >2400\n       DATA >5555\n       END\n"),
                              l.error));
    ASSERT_TRUE(l.loader.load("rel.obj", object_of(dir, "rel", "       DATA >6666\n       END\n"), l.error));
    EXPECT_EQ(l.image.word(0x2400), 0x5555);
    EXPECT_EQ(l.image.word(0xA000), 0x6666);
    EXPECT_FALSE(l.loader.entry());
}

TEST(ObjectLoader, ReservedSpaceAtTheEndOfAModuleMovesTheNextOne) {
    testkit::TempDir dir;
    Loaded l;
    ASSERT_TRUE(l.loader.load("a.obj", object_of(dir, "a", "       DATA 1\n       BSS  6\n       END\n"), l.error));
    ASSERT_TRUE(l.loader.load("b.obj", object_of(dir, "b", "       DATA 2\n       END\n"), l.error));
    EXPECT_EQ(l.image.word(0xA008), 2);
}

TEST(ObjectLoader, BadFilesStopWithTheRecordAndTheReason) {
    testkit::TempDir dir;
    std::string good = object_of(dir, "g", "       AORG >A000\n       DATA 1\n       END\n");
    struct Case {
        std::string file;
        std::string message;
    };
    std::string wrong_sum = good;
    wrong_sum[good.find('7') + 4] ^= 1;
    const std::vector<Case> cases = {
        {wrong_sum, "g.obj: record 1: checksum"},
        {record("00000        B0001"), "g.obj: record 1: a data word before any load address"},
        {record("00000        9A000B12Q4"), "g.obj: record 1: a field is cut short"},
        {record("00000        9A000Z"), "g.obj: record 1: unknown tag Z"},
        {"00000        9A000B0001\r\n", "g.obj: record 1: the record ends without its end tag F"},
        {record("00000        96000B0001"), "g.obj: record 1: it loads at >6000, where the machine has no RAM"},
        {record("00000        9FFFEB0001B0002"), "g.obj: record 1: code beyond >FFFF"},
        {record("0F000        ") + ":\r\n", "g.obj: its relocatable code from >A000 reaches beyond >FFFF"},
        {record("00000        ") + record("M0002$DATA 0000"), "g.obj: record 2: it uses a data or common segment"},
    };
    for (const Case& c : cases) {
        Loaded l;
        EXPECT_FALSE(l.loader.load("g.obj", c.file, l.error));
        EXPECT_EQ(l.error.substr(0, c.message.size()), c.message) << l.error;
    }
}

TEST(ObjectLoader, UnresolvedReferencesAreListed) {
    testkit::TempDir dir;
    Loaded l;
    ASSERT_TRUE(l.loader.load("m.obj", object_of(dir, "m", "       REF  AAA,BBB\n       DATA AAA,BBB\n       END\n"),
                              l.error));
    EXPECT_FALSE(l.loader.resolve(l.error));
    EXPECT_EQ(l.error.substr(0, 47), "unresolved references: AAA (m.obj), BBB (m.obj)");
}

TEST(ObjectLoader, AChainThatLeavesTheLoadedCodeIsRefused) {
    Loaded l;
    // REF X with its chain head at >A000, whose word points at >B000.
    const std::string file = record("00000        9A000BB000") + record("4A000X     61234X     ") + ":\r\n";
    ASSERT_TRUE(l.loader.load("c.obj", file, l.error)) << l.error;
    EXPECT_FALSE(l.loader.resolve(l.error));
    EXPECT_EQ(l.error, "c.obj: the REF chain of X reaches >B000, where no word was loaded");
}

}  // namespace
