// DOK_EVENTS: the event lines of the headless protocol delivered to the
// window as real input. A thread of its own reads one line at a time, waits
// until the window is idle (its message loop runs, no routine and no box is
// busy), and acts: clicks, typing and keys go through the X server as a
// user's would; menu choices, list selections and timer ticks through the
// toolkit's own events. Message boxes are answered with a click on the
// button the next line names.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace dok {

class WxUi;
class X11Input;
struct EventLine;

// The event lines, shared by the driver and the window's dialogs.
class EventScript {
public:
    explicit EventScript(std::istream& in) : in_(in) {}
    bool next_line(std::string& line);

private:
    std::mutex mutex_;
    std::istream& in_;
};

class EventDriver {
public:
    // alive turns false when the window is gone.
    EventDriver(EventScript& script, WxUi& ui, std::shared_ptr<bool> alive);
    ~EventDriver();
    EventDriver(const EventDriver&) = delete;
    EventDriver& operator=(const EventDriver&) = delete;

    struct Box;
    struct View;

private:
    void run();
    // Asks f(ui) on the toolkit's thread once what is queued there is done;
    // nullopt when the driver stops first. f must not change the window.
    template <typename F>
    auto on_gui(F f) -> std::optional<decltype(f(std::declval<WxUi&>()))>;
    // Has the window run f(ui) as an action of its own (see WxUi::run_soon).
    void act(std::function<void(WxUi&)> f);
    // Waits until the input sent so far has reached the window and the
    // window has handled it.
    void settle();
    // Waits until the window is idle, answering the boxes that come up;
    // false when the window is gone.
    bool wait_idle();
    void answer_when_ready(const Box& box);
    void answer(const Box& box);
    void perform(const EventLine& e);
    void type(size_t index, const std::string& text);

    EventScript& script_;
    WxUi& ui_;
    std::shared_ptr<bool> alive_;
    std::unique_ptr<X11Input> input_;
    uint64_t expected_ = 0;  // input events the window has to see
    int answered_ = 0;       // serial of the last box answered
    int answer_tries_ = 0;
    int answer_id_ = 0;      // its answer
    int waiting_for_ = 0;    // serial of the box waited for, since when
    std::chrono::steady_clock::time_point waiting_since_;
    unsigned long frame_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace dok
