#include "platform/process.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "testkit/testkit.hpp"

namespace {
int run_and_wait(std::string_view line, std::string_view dir = {}) {
    platform::Process p;
    int error = p.start(line, dir);
    if (error != 0) return -error;
    return p.wait();
}
}  // namespace

TEST(WindowsProcess, ExitCodesAndErrors) {
    EXPECT_EQ(run_and_wait("cmd /c exit 3"), 3);
    EXPECT_EQ(run_and_wait("cmd.exe /c exit 259"), 259);  // Windows keeps all the bits
    EXPECT_EQ(run_and_wait("no_such_program_here x"), -platform::kErrorFileNotFound);
    testkit::TempDir dir;
    EXPECT_EQ(run_and_wait("cmd /c exit 0", (dir / "missing").string()), -platform::kErrorDirectory);
    testkit::write_bytes(dir / "plain.exe", "not a program");
    EXPECT_EQ(run_and_wait("\"" + (dir / "plain.exe").string() + "\""), -platform::kErrorBadFormat);
    EXPECT_EQ(run_and_wait(dir.path().string()), -platform::kErrorAccessDenied);
}

TEST(WindowsProcess, WorkingDirectoryAndPolling) {
    testkit::TempDir dir;
    platform::Process p;
    ASSERT_EQ(p.start("cmd /c cd > here.txt", dir.path().string()), 0);
    int code = -1;
    while (!p.finished(code)) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(code, 0);
    std::string here = testkit::read_bytes(dir / "here.txt");
    while (!here.empty() && (here.back() == '\n' || here.back() == '\r')) here.pop_back();
    EXPECT_TRUE(std::filesystem::equivalent(here, dir.path())) << here;
}
