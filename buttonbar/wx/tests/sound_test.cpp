// playwave( on the sound library's silent device.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "platform/sound/sound.hpp"
#include "testkit/testkit.hpp"

namespace {

// A mono 8-bit wave file of the given length at 8000 samples a second.
std::string wave(double seconds) {
    uint32_t samples = static_cast<uint32_t>(seconds * 8000);
    auto le32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    auto le16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    std::string w = "RIFF" + le32(36 + samples) + "WAVEfmt " + le32(16) + le16(1) + le16(1) + le32(8000) +
                    le32(8000) + le16(1) + le16(8) + "data" + le32(samples);
    w.append(samples, '\x80');
    return w;
}

double seconds_to_play(const std::string& path, bool& played) {
    auto start = std::chrono::steady_clock::now();
    int pumps = 0;
    played = platform::play_wave(path, [&] { ++pumps; });
    std::chrono::duration<double> d = std::chrono::steady_clock::now() - start;
    if (played && d.count() > 0.1) {
        EXPECT_GT(pumps, 0);  // the window kept its messages going
    }
    return d.count();
}

class Sound : public testing::Test {
protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    void TearDown() override { unsetenv("SDL_AUDIODRIVER"); }
    testkit::TempDir dir;
};

TEST_F(Sound, PlaysToItsEnd) {
    testkit::write_bytes(dir / "a.wav", wave(0.4));
    bool played = false;
    double s = seconds_to_play((dir / "a.wav").string(), played);
    EXPECT_TRUE(played);
    EXPECT_GE(s, 0.3);
    EXPECT_LT(s, 3.0);
}

TEST_F(Sound, UnreadableFilesAndNoDeviceReturnAtOnce) {
    bool played = true;
    EXPECT_LT(seconds_to_play((dir / "missing.wav").string(), played), 0.5);
    EXPECT_FALSE(played);
    testkit::write_bytes(dir / "bad.wav", "RIFF not a wave");
    EXPECT_LT(seconds_to_play((dir / "bad.wav").string(), played), 0.5);
    EXPECT_FALSE(played);
    testkit::write_bytes(dir / "a.wav", wave(2));
    setenv("SDL_AUDIODRIVER", "no-such-device", 1);
    EXPECT_LT(seconds_to_play((dir / "a.wav").string(), played), 1.0);
    EXPECT_FALSE(played);
}

}  // namespace
