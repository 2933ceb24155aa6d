#include <gtest/gtest.h>

#include "machine/run/options.hpp"

namespace {

using scree::RunOptions;

bool parse(std::vector<std::string> args, RunOptions& o, std::string& error) {
    return scree::parse_options(args, o, error);
}

TEST(Options, ValuesFollowAsArgumentsOrAfterAnEqualsSign) {
    RunOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--frames", "5", "--entry=>a00a", "--dump", ">A000,>10", "--dump=33792,16", "--keys", "AB",
                       "--keys=C", "P1", "--until-idle", "--", "--screen"},
                      o, error))
        << error;
    EXPECT_EQ(o.frames, 5u);
    EXPECT_EQ(std::get<uint16_t>(o.entry), 0xA00A);
    ASSERT_EQ(o.dumps.size(), 2u);
    EXPECT_EQ(o.dumps[1].address, 0x8400);
    EXPECT_EQ(o.dumps[1].length, 16u);
    EXPECT_EQ(o.keys, "ABC");
    EXPECT_TRUE(o.until_idle);
    EXPECT_FALSE(o.screen);
    EXPECT_EQ(o.files, (std::vector<std::string>{"P1", "--screen"}));
    RunOptions named;
    ASSERT_TRUE(parse({"--entry", "START"}, named, error));
    EXPECT_EQ(std::get<std::string>(named.entry), "START");
}

TEST(Options, WrongArgumentsAreNamed) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--fast"}, "unknown option --fast"},
        {{"-h"}, "unknown option -h"},
        {{"--frames"}, "--frames needs a value"},
        {{"--frames", "-1"}, "--frames -1: give a number of frames from 0 to 1000000000"},
        {{"--frames", "1000000001"}, "--frames 1000000001: give a number of frames from 0 to 1000000000"},
        {{"--screen=1"}, "--screen takes no value"},
        {{"--entry", ">10000"}, "--entry >10000: an address is > and up to four hexadecimal digits"},
        {{"--dump", ">FFFF,2"}, "--dump >FFFF,2: give >ADDR,>LEN, such as >A000,>100, within >0000->FFFF"},
        {{"--dump", ">A000"}, "--dump >A000: give >ADDR,>LEN, such as >A000,>100, within >0000->FFFF"},
        {{"--dump", ">A000,0"}, "--dump >A000,0: give >ADDR,>LEN, such as >A000,>100, within >0000->FFFF"},
    };
    for (const auto& [args, message] : cases) {
        RunOptions o;
        std::string error;
        EXPECT_FALSE(parse(args, o, error));
        EXPECT_EQ(error, message);
    }
}

}  // namespace
