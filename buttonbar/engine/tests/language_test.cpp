#include <gtest/gtest.h>

#include "harness.hpp"
#include "engine/language.hpp"
#include "platform/paths.hpp"

using namespace dok;

TEST(Language, CleaningRules) {
    EXPECT_EQ(clean_message("\"quoted\" rest", 256), "quoted");
    EXPECT_EQ(clean_message("a\\nb\\tc\\rd", 256), "a\nb\tc\rd");
    EXPECT_EQ(clean_message("drop\\xped\\", 256), "dropped");
    EXPECT_EQ(clean_message("line\nnext", 256), "line");
    EXPECT_EQ(clean_message("abcdef", 4), "abc");
}

TEST(Language, DefaultsAndModuleBesideTheProgram) {
    test::Harness h("[layout]\n");
    EXPECT_EQ(message_text(*h.dok, "Interpreter", 27), "Message 27");
    testkit::write_bytes(h.dir / "bin" / "none.def", "[Interpreter]\r\n27=\"beside %s\"\r\n");
    platform::set_program_path((h.dir / "bin" / "dok").string());
    EXPECT_EQ(message_text(*h.dok, "Interpreter", 27), "beside %s");
    EXPECT_EQ(message_text(*h.dok, "Interpreter", 3), "Message 3");
    testkit::write_bytes(h.dir / "none.def", "[Interpreter]\r\n27=own\r\n");
    EXPECT_EQ(message_text(*h.dok, "Interpreter", 27), "own");  // the configured file comes first
    platform::set_program_path("");
}

TEST(Language, InstalledModuleWhenTheConfiguredOneIsNoFile) {
    test::Harness h("[layout]\n");
    std::filesystem::create_directories(h.dir / "bin");
    platform::set_program_path((h.dir / "bin" / "dok").string());
    testkit::write_bytes(h.dir / "share" / "tms9900-toolchain" / "none.def", "[Interpreter]\r\n27=installed\r\n");
    EXPECT_EQ(message_text(*h.dok, "Interpreter", 27), "installed");
    std::filesystem::create_directories(h.dir / "none.def");  // a folder where the INI names the module
    EXPECT_EQ(message_text(*h.dok, "Interpreter", 27), "installed");
    platform::set_program_path("");
}

TEST(Language, ShippedModulesCoverEveryNumber) {
    for (const char* name : {"dok_nl.def", "dok_en.def"}) {
        test::Harness h("[layout]\n");
        h.dok->language_path = (testkit::source_dir() / "buttonbar" / name).string();
        for (int n : {1, 2, 3, 4, 5, 8, 12, 13, 14, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 193, 267}) {
            std::string text = message_text(*h.dok, "Interpreter", n);
            EXPECT_EQ(text.rfind("%s\n", 0), 0u) << name << " " << n << ": " << text;
        }
        EXPECT_NE(message_text(*h.dok, "Message", 2001).find("%s"), std::string::npos);
        EXPECT_NE(message_text(*h.dok, "Message", 2003).find("%s"), std::string::npos);
        EXPECT_NE(message_text(*h.dok, "Menu", 65500), "Message 65500");
    }
}
