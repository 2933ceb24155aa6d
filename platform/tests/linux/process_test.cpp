#include "platform/process.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "platform/paths.hpp"
#include "testkit/testkit.hpp"

namespace {
int run_and_wait(std::string_view line, std::string_view dir = {}) {
    platform::Process p;
    int error = p.start(line, dir);
    if (error != 0) return -error;
    return p.wait();
}
}  // namespace

TEST(Process, ExitCodesAndErrors) {
    EXPECT_EQ(run_and_wait("sh -c \"exit 3\""), 3);
    EXPECT_EQ(run_and_wait("true.exe"), 0);  // ".exe" is tried without
    EXPECT_EQ(run_and_wait("no_such_program_here x"), -platform::kErrorFileNotFound);
    EXPECT_EQ(run_and_wait("sh -c \"kill -9 $$\""), 128 + 9);
    testkit::TempDir dir;
    EXPECT_EQ(run_and_wait("true", (dir / "missing").string()), -platform::kErrorDirectory);
    testkit::write_bytes(dir / "plain.txt", "x");
    EXPECT_EQ(run_and_wait((dir / "plain.txt").string()), -platform::kErrorAccessDenied);
}

TEST(Process, WorkingDirectoryAndPolling) {
    testkit::TempDir dir;
    testkit::write_bytes(dir / "s.sh", "#!/bin/sh\npwd > here.txt\nsleep 0.2\nexit 259\n");
    std::filesystem::permissions(dir / "s.sh", std::filesystem::perms::owner_all);
    platform::Process p;
    ASSERT_EQ(p.start((dir / "s.sh").string(), dir.path().string()), 0);
    int code = -1;
    EXPECT_FALSE(p.finished(code));
    while (!p.finished(code)) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(code, 259 & 0xFF);  // the host keeps 8 bits; a running program is never mistaken for done
    EXPECT_EQ(testkit::read_bytes(dir / "here.txt"), std::filesystem::canonical(dir.path()).string() + "\n");
}

TEST(Process, StatusThatCannotBeReadLeavesTheCodeAlone) {
    platform::Process p;
    ASSERT_EQ(p.start("sh -c \"exit 4\"", {}), 0);
    while (wait(nullptr) > 0) {}  // reaped elsewhere: the status is lost
    int code = 99;
    EXPECT_TRUE(p.finished(code));
    EXPECT_EQ(code, 99);
}

TEST(Process, HiddenProgramsWriteNothingToTheConsole) {
    testkit::TempDir dir;
    for (int mode : {0, 1}) {
        platform::Process p;
        std::string file = (dir / ("mode" + std::to_string(mode))).string();
        ASSERT_EQ(p.start("sh -c \"readlink /proc/self/fd/2 > " + file + "\"", {}, mode), 0);
        p.wait();
        std::string out = testkit::read_bytes(file);
        if (mode == 0) EXPECT_EQ(out, "/dev/null\n");
        else EXPECT_EQ(out.find("/dev/null"), std::string::npos) << out;
    }
}
