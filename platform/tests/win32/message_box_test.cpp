#include "platform/message_box.hpp"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <sstream>
#include <thread>

#include "platform/environment.hpp"

// Without TMS_MESSAGE_BOX_STREAM the box is a real window (the tests run in
// Xvfb); a helper finds it by its caption and presses OK.
TEST(WindowsMessageBox, ARealBoxIsShownAndAnswered) {
    std::optional<std::string> saved = platform::get_environment("TMS_MESSAGE_BOX_STREAM");
    SetEnvironmentVariableA("TMS_MESSAGE_BOX_STREAM", nullptr);
    std::atomic<bool> seen{false};
    std::thread answer([&] {
        for (int i = 0; i < 400 && !seen; ++i) {
            if (HWND box = FindWindowA(nullptr, "Message box test")) {
                seen = true;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(50);
        }
    });
    std::ostringstream out;
    int button = platform::message_box(out, "Target doesn't exist <x>", "Message box test");
    answer.join();
    if (saved) platform::set_environment("TMS_MESSAGE_BOX_STREAM", *saved);
    EXPECT_TRUE(seen);
    EXPECT_EQ(button, IDOK);
    EXPECT_EQ(out.str(), "");
}
