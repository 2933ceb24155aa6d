// --png, --png-every and --wav: their values, the frames' file names, a
// folder that cannot be one, and the WAV file's length in machine time.
#include <gtest/gtest.h>

#include "machine/run/options.hpp"
#include "machine/run/picture_output.hpp"
#include "machine/run/scree.hpp"
#include "machine/tests/support/build_program.hpp"

namespace {

using scree::RunOptions;

TEST(PictureOptions, PngEveryTakesACountAndAFolder) {
    RunOptions o;
    std::string error;
    ASSERT_TRUE(scree::parse_options({"--png-every", ">3C", "my shots", "--png=end.png", "--wav", "s.wav", "P"}, o,
                                     error))
        << error;
    EXPECT_EQ(o.png_every, 60u);
    EXPECT_EQ(o.png_folder, "my shots");
    EXPECT_EQ(o.png_file, "end.png");
    EXPECT_EQ(o.wav_file, "s.wav");
    EXPECT_EQ(o.files, std::vector<std::string>{"P"});
    RunOptions glued;
    ASSERT_TRUE(scree::parse_options({"--png-every=2", "d"}, glued, error));
    EXPECT_EQ(glued.png_every, 2u);
    EXPECT_EQ(glued.png_folder, "d");

    const std::vector<std::pair<std::vector<std::string>, std::string>> wrong = {
        {{"--png-every", "5"}, "--png-every needs two values"},
        {{"--png-every", "0", "d"}, "--png-every 0: give a number of frames from 1 to 1000000000, then a folder"},
        {{"--png-every", "x", "d"}, "--png-every x: give a number of frames from 1 to 1000000000, then a folder"},
        {{"--png-every", "5", ""}, "--png-every 5 needs a folder"},
        {{"--png"}, "--png needs a value"},
        {{"--wav="}, "--wav needs a file name"},
    };
    for (const auto& [args, message] : wrong) {
        RunOptions bad;
        EXPECT_FALSE(scree::parse_options(args, bad, error));
        EXPECT_EQ(error, message);
    }
}

TEST(PictureOptions, FrameFileNames) {
    EXPECT_EQ(scree::frame_file_name(60), "frame000060.png");
    EXPECT_EQ(scree::frame_file_name(1), "frame000001.png");
    EXPECT_EQ(scree::frame_file_name(1234567), "frame1234567.png");
    testkit::TempDir dir;
    testkit::write_bytes(dir / "file", "x");
    scree::FrameSeries series;
    EXPECT_FALSE(series.open((dir / "file").string()));
    EXPECT_TRUE(series.open((dir / "new").string()));
    EXPECT_TRUE(testkit::fs::is_directory(dir / "new"));
    EXPECT_TRUE(series.open((dir / "new").string())) << "an existing folder";
}

// 600 frames are 10.01 seconds of machine time: 441,564 samples and the
// few of the last instruction's clocks past the frame's end.
TEST(PictureOptions, WavCoversTheRunsMachineTime) {
    testkit::TempDir dir;
    const std::string source = R"(       DEF  START,SLAST
START  LIMI 0
       LWPI >8300
       LI   R0,>8F90          generator 1 at N = >00F, full volume
       MOVB R0,@>8400
       SWPB R0
       MOVB R0,@>8400
LOOP   JMP  LOOP
SLAST  EQU  $
       END
)";
    ASSERT_EQ(scree_test::assemble(dir.path(), "p", source).code, 0);
    ASSERT_EQ(scree_test::link(dir.path(), "p", ".L p.obj\n.S PROG START SLAST\n").code, 0);
    std::istringstream in;
    std::ostringstream out, err;
    platform::Console con{in, out, err};
    testkit::ScopedCwd cwd(dir.path());
    ASSERT_EQ(scree::run_scree({"--frames", "600", "--wav", "p.wav", "PROG"}, con), 0) << err.str();
    const std::string wav = testkit::read_bytes(dir / "p.wav");
    const size_t samples = (wav.size() - 44) / 2;
    EXPECT_GE(samples, 441564u);
    EXPECT_LE(samples, 441565u);
    EXPECT_FALSE(testkit::fs::exists(dir / "p.wav.part"));
}

}  // namespace
