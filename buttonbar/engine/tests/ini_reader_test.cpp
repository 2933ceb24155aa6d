#include <gtest/gtest.h>

#include "engine/ini_reader.hpp"
#include "testkit/testkit.hpp"

using namespace dok;

namespace {

struct IniFile {
    testkit::TempDir dir;
    std::string path;
    explicit IniFile(const std::string& text) : path((dir.path() / "x.ini").string()) {
        testkit::write_bytes(path, text);
    }
    // Every read also checks that a text read once answers the same, and so
    // do its lines with a shorter prefix.
    std::string get(std::string_view section, std::string_view key, std::string_view def = "dflt", size_t size = 512) {
        std::string value = read_ini_value(section, key, def, size, path);
        std::string text = read_ini_text(path);
        EXPECT_EQ(ini_value_in(text, section, key, def, size), value) << section << " " << key;
        EXPECT_EQ(ini_value_among(ini_lines(text, section, key.substr(0, 2)), key, def, size), value) << key;
        EXPECT_EQ(ini_value_among(ini_lines(ini_lines(text, section, ""), key.substr(0, 1)), key, def, size), value);
        return value;
    }
};

}  // namespace

TEST(ReadIniValue, PrefixMatchingQuirks) {
    IniFile f("[variables]\r\nstr1=short\r\nstr010=[found] 5\r\n");
    EXPECT_EQ(f.get("variables", "str01"), "[found] 5");  // str1= does not match, str010= does
    IniFile g("[Layout]\r\nkey\r\nkeyx=later\r\n");
    EXPECT_EQ(g.get("layout", "KEY"), "");  // a matching line without '=' gives empty, not the default
}

TEST(ReadIniValue, SearchRunsPastTheNextSection) {
    IniFile f("[layout]\r\nwindow=[a] 1 2 3 4\r\n[other]\r\ntimer=5\r\n");
    EXPECT_EQ(f.get("layout", "timer"), "5");
    EXPECT_EQ(f.get("missing", "window"), "dflt");
    EXPECT_EQ(f.get("other", "window"), "dflt");  // only lines after the header count
}

TEST(ReadIniValue, ValueRules) {
    IniFile f("[s]\nk =   \"quoted\" trailing  \nn=1234567\n");
    EXPECT_EQ(f.get("s", "k"), "\"quoted\" trailing  ");
    EXPECT_EQ(f.get("s", "n", "", 4), "123");
    EXPECT_EQ(f.get("s", "none", "default", 4), "def");
    EXPECT_EQ(read_ini_value("s", "k", "gone", 512, "/nonexistent/x.ini"), "gone");
}

TEST(ReadIniValue, HeaderMustMatchExactly) {
    IniFile f("[layouts]\nwindow=no\n[layout] \nwindow=yes\n");
    EXPECT_EQ(f.get("layout", "window"), "yes");
}

TEST(ReadIniValue, LongLinesAreReadInPieces) {
    std::string piece(511, 'x');
    IniFile f("[s]\n" + piece + "key=hidden\n");
    EXPECT_EQ(f.get("s", "key"), "hidden");  // the rest of the long line reads as a line
}

TEST(ReadIniValue, LineEndsAtPieceBorders) {
    std::string x510(510, 'x');
    IniFile f("[s]\r\n" + x510 + "\rkey1=after a lone cr\r\n" + x510 + "xx\r\nkey2=after an empty piece\r\n" +
              "key3=c\rd\r\n" + x510 + "\r\nkey4=crlf ends a full piece\r\n");
    EXPECT_EQ(f.get("s", "key1"), "after a lone cr");
    EXPECT_EQ(f.get("s", "key2"), "after an empty piece");
    EXPECT_EQ(f.get("s", "key3"), "c\rd");
    EXPECT_EQ(f.get("s", "key4"), "crlf ends a full piece");
    IniFile g(x510 + "x[s]\nkey=v\n");
    EXPECT_EQ(g.get("s", "key"), "v");  // the header begins a piece of its own
    EXPECT_EQ(read_ini_text("/nonexistent/x.ini"), "");
}

TEST(LayoutParsers, Brackets) {
    LayoutCursor c{"  [ok] x[a[b] [unclosed"};
    EXPECT_EQ(parse_bracket(c), "ok");
    EXPECT_EQ(parse_bracket(c), "a[b");
    EXPECT_EQ(parse_bracket(c), "unclosed");
    EXPECT_FALSE(parse_bracket(c));
    LayoutCursor d{"no bracket"};
    EXPECT_EQ(parse_bracket(d), "");
    EXPECT_TRUE(d.at_end());
}

TEST(LayoutParsers, Numbers) {
    LayoutCursor c{"5,5,60x20 -3"};
    EXPECT_EQ(parse_number(c), 5u);
    EXPECT_EQ(parse_number(c), 5u);
    EXPECT_EQ(parse_number(c), 60u);
    EXPECT_EQ(parse_number(c), 20u);
    EXPECT_EQ(parse_number(c), 3u);  // no negative numbers
    EXPECT_FALSE(parse_number(c));
}

TEST(LayoutParsers, BoolsAndAtoi) {
    EXPECT_EQ(parse_bool("  TRUE"), 1);
    EXPECT_EQ(parse_bool("falsehood"), 0);
    EXPECT_EQ(parse_bool("yes"), 0);
    EXPECT_EQ(parse_bool("-1"), -1);
    EXPECT_EQ(parse_bool("2"), 2);
    EXPECT_EQ(atoi32("  -12abc"), -12);
    EXPECT_EQ(atoi32("99999999999"), INT32_MAX);
    EXPECT_EQ(atoi32("-99999999999"), INT32_MIN);
    EXPECT_EQ(leading_unsigned("4294967297"), 1u);
}
