#include "findreplace/options.hpp"

#include <gtest/gtest.h>

#include <sstream>

using morfex::Options;
using morfex::parse_options;
using morfex::translate_escapes;

TEST(TranslateEscapes, KnownAndUnknownSequences) {
    EXPECT_EQ(translate_escapes("a\\tb\\nc\\rd"), "a\tb\nc\rd");
    EXPECT_EQ(translate_escapes("\\\\n"), "\\n");     // the pair is one backslash; n stays
    EXPECT_EQ(translate_escapes("\\x\\N"), "\\x\\N");  // other letters keep the backslash
    EXPECT_EQ(translate_escapes("end\\"), "end\\");
    EXPECT_EQ(translate_escapes("\\\\\\t"), "\\\t");
}

TEST(ParseOptions, NamesAreUpperCasedAndLettersCaseInsensitive) {
    std::ostringstream out;
    Options o = parse_options({"-I", "dir\\list.txt", "-O", "out.txt", "-F", "x", "-R", "y", "-Q", "-V"}, out);
    EXPECT_EQ(o.input_name, "DIR\\LIST.TXT");
    EXPECT_EQ(o.output_name, "OUT.TXT");
    EXPECT_EQ(o.find, "x");
    EXPECT_EQ(o.replace, "y");
    EXPECT_TRUE(o.quiet);
    EXPECT_TRUE(o.verbose);
    EXPECT_EQ(out.str(), "");
}

TEST(ParseOptions, NameOptionsDoNotSwallowOptions) {
    std::ostringstream out;
    Options o = parse_options({"-i", "-v", "-o", "-q", "-i"}, out);
    EXPECT_EQ(o.input_name, "");
    EXPECT_EQ(o.output_name, "");
    EXPECT_TRUE(o.verbose);
    EXPECT_TRUE(o.quiet);
}

TEST(ParseOptions, StringOptionsTakeAnyValue) {
    std::ostringstream out;
    Options o = parse_options({"-f", "-v", "-r", "-x\\t"}, out);
    EXPECT_EQ(o.find, "-v");
    EXPECT_EQ(o.replace, "-x\t");
    EXPECT_FALSE(o.verbose);
    EXPECT_EQ(parse_options({"-f"}, out).find, "");
    EXPECT_EQ(out.str(), "");
}

TEST(ParseOptions, UnknownOptionsReportedStrayArgumentsIgnored) {
    std::ostringstream out;
    Options o = parse_options({"stray", "-x", "-", "", "-verbose", "-iq"}, out);
    EXPECT_EQ(out.str(), "*** Optionerror <-x>\n*** Optionerror <->\n");
    EXPECT_TRUE(o.verbose);  // only the letter after '-' counts
    EXPECT_EQ(o.input_name, "");
}
