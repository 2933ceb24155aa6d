#include "platform/shell_link.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/paths.hpp"
#include "testkit/testkit.hpp"

using namespace platform;

namespace {

uint32_t u32_at(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b.at(at + i));
    return v;
}

std::string from_hex(std::string_view hex) {
    std::string out;
    std::istringstream in{std::string(hex)};
    for (std::string byte; in >> byte;) out += static_cast<char>(std::stoi(byte, nullptr, 16));
    return out;
}

// The link to C:\test\a.txt saved in C:\test, up to its tracker block.
const std::string kExample = from_hex(R"(
4C 00 00 00 01 14 02 00 00 00 00 00 C0 00 00 00 00 00 00 46 9B 00 08 00 20 00 00 00 D0 E9 EE F2
15 15 C9 01 D0 E9 EE F2 15 15 C9 01 D0 E9 EE F2 15 15 C9 01 00 00 00 00 00 00 00 00 01 00 00 00
00 00 00 00 00 00 00 00 00 00 00 00 BD 00 14 00 1F 50 E0 4F D0 20 EA 3A 69 10 A2 D8 08 00 2B 30
30 9D 19 00 2F 43 3A 5C 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 46 00 31 00 00
00 00 00 2C 39 69 A3 10 00 74 65 73 74 00 00 32 00 07 00 04 00 EF BE 2C 39 65 A3 2C 39 69 A3 26
00 00 00 03 1E 00 00 00 00 F5 1E 00 00 00 00 00 00 00 00 00 00 74 00 65 00 73 00 74 00 00 00 14
00 48 00 32 00 00 00 00 00 2C 39 69 A3 20 00 61 2E 74 78 74 00 34 00 07 00 04 00 EF BE 2C 39 69
A3 2C 39 69 A3 26 00 00 00 2D 6E 00 00 00 00 96 01 00 00 00 00 00 00 00 00 00 00 61 00 2E 00 74
00 78 00 74 00 00 00 14 00 00 00 3C 00 00 00 1C 00 00 00 01 00 00 00 1C 00 00 00 2D 00 00 00 00
00 00 00 3B 00 00 00 11 00 00 00 03 00 00 00 81 8A 7A 30 10 00 00 00 00 43 3A 5C 74 65 73 74 5C
61 2E 74 78 74 00 00 07 00 2E 00 5C 00 61 00 2E 00 74 00 78 00 74 00 07 00 43 00 3A 00 5C 00 74
00 65 00 73 00 74 00)");

// Byte ranges the file system decides, not the link's settings: file times,
// NTFS references, the volume serial.
bool decided_by_file_system(size_t at) {
    static const std::pair<size_t, size_t> ranges[] = {
        {0x1C, 0x34}, {0x83, 0x87}, {0x97, 0x9F}, {0xA3, 0xAB},
        {0xC9, 0xCD}, {0xDD, 0xE5}, {0xE9, 0xF1}, {0x12F, 0x133},
    };
    for (auto [from, to] : ranges)
        if (at >= from && at < to) return true;
    return false;
}

// Drive C: as a fresh folder with C:\test in it.
struct DriveC {
    testkit::TempDir dir;
    DriveC() {
        std::filesystem::create_directories(dir / "test");
        set_drive_root('C', dir.path().string());
    }
    ~DriveC() { set_drive_root('C', ""); }
};

std::string desktop_line(const ShellLink& link, std::string_view key) {
    std::string text = link.contents("/tmp/x.desktop").value_or("");
    size_t at = text.find("\n" + std::string(key) + "=");
    if (at == std::string::npos) return "<none>";
    at += key.size() + 2;
    return text.substr(at, text.find('\n', at) - at);
}

}  // namespace

TEST(ShellLink, MatchesTheWorkedExample) {
    DriveC drive;
    ShellLink link;
    ASSERT_TRUE(link.set_path("C:\\test\\a.txt"));
    ASSERT_TRUE(link.set_working_directory("C:\\test"));
    std::string bytes = link.contents("C:\\test\\a.lnk").value();

    ASSERT_EQ(bytes.size(), kExample.size() + 4);
    for (size_t i = 0; i < kExample.size(); ++i) {
        if (decided_by_file_system(i)) continue;
        ASSERT_EQ(bytes[i], kExample[i]) << "at offset 0x" << std::hex << i;
    }
    EXPECT_EQ(bytes.substr(kExample.size()), std::string(4, '\0'));  // terminal block

    // The relative path follows the folder of the link file, on its drive only.
    EXPECT_NE(link.contents("C:\\menu\\a.lnk")->find(from_hex("0D 00 2E 00 2E 00 5C 00 74 00")), std::string::npos);
    EXPECT_EQ(u32_at(*link.contents("D:\\a.lnk"), 0x14) & 0x8, 0u);

    ASSERT_TRUE(link.set_path("C:\\test"));  // an existing folder
    EXPECT_EQ(u32_at(*link.contents("C:\\a.lnk"), 0x18), 0x10u);
}

TEST(ShellLink, SettersRefuseWhatCannotBeStored) {
    ShellLink link;
    const std::string path259 = "C:\\" + std::string(256, 'a');
    EXPECT_TRUE(link.set_path(path259));
    for (const std::string& bad : {path259 + "b", std::string(), std::string("C:\\a\x01"), std::string("C:\\\xff")})
        EXPECT_FALSE(link.set_path(bad)) << bad;
    EXPECT_FALSE(link.set_working_directory("C:\\a\nb"));
    EXPECT_FALSE(link.set_icon_location(path259 + "b", 0));
    EXPECT_TRUE(link.set_description(std::string(259, 'd')));
    EXPECT_FALSE(link.set_description(std::string(260, 'd')));
    EXPECT_TRUE(link.set_arguments(std::string(0xFFFF, 'a')));
    EXPECT_FALSE(link.set_arguments(std::string(0x10000, 'a')));
    EXPECT_FALSE(link.set_arguments(std::string("a\0b", 3)));
    // A refused value leaves the earlier one.
    EXPECT_NE(link.contents("C:\\x.lnk")->find(std::string(256, 'a') + '\0'), std::string::npos);
}

TEST(Utf, ConversionIsStrict) {
    EXPECT_EQ(utf8_to_utf16("a\xc3\xa9\xf0\x9f\x98\x80").value(), u"a\u00e9\U0001F600");
    for (std::string_view bad : {"\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xe2\x82", "\x80"})
        EXPECT_FALSE(utf8_to_utf16(bad));
    EXPECT_FALSE(utf8_to_utf16("abcd", 3));
    EXPECT_FALSE(utf16_to_utf8(std::u16string(1, char16_t(0xD800))));
}

TEST(DesktopEntry, ExecQuotesEachArgumentTheWayTheCRuntimeSplitsThem) {
    ShellLink link;
    ASSERT_TRUE(link.set_path("/opt/my tools/tool"));
    struct Case {
        const char* arguments;
        const char* exec;
    } cases[] = {
        {"", R"("/opt/my tools/tool")"},
        {"plain-arg  two", R"("/opt/my tools/tool" plain-arg two)"},
        {R"(a\\"b c" d\e "")", R"("/opt/my tools/tool" "a\\\\b c" "d\\\\e" "")"},
        {"`x` ~ 'q' #", R"("/opt/my tools/tool" "\\`x\\`" "~" "'q'" "#")"},
        {"\"a\nb\tc\"", R"("/opt/my tools/tool" "a\nb\tc")"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(link.set_arguments(c.arguments));
        EXPECT_EQ(desktop_line(link, "Exec"), c.exec) << c.arguments;
    }
}

TEST(DesktopEntry, ValuesAreEscapedOrRefused) {
    ShellLink link;
    ASSERT_TRUE(link.set_path("/bin/true"));
    ASSERT_TRUE(link.set_description(" two\nlines\\ "));
    EXPECT_EQ(desktop_line(link, "Comment"), "\\stwo\\nlines\\\\\\s");
    EXPECT_EQ(desktop_line(link, "Name"), "x");
    ASSERT_TRUE(link.set_description(""));
    EXPECT_FALSE(link.contents("/tmp/\xa6.desktop"));  // a name that is not UTF-8
}
