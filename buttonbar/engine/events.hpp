// The engine's side of the window: event dispatch, key reports, timer,
// closing and the About box.
#pragma once

#include "engine.hpp"
#include "platform/single_instance.hpp"

namespace dok {

// Notification codes of the controls.
constexpr int kBnClicked = 0;
constexpr int kEnSetFocus = 256, kEnKillFocus = 512, kEnChange = 768;
constexpr int kCbnSelChange = 1, kCbnDblClk = 2, kCbnSetFocus = 3, kCbnKillFocus = 4, kCbnEditChange = 5,
              kCbnEditUpdate = 6, kCbnDropDown = 7, kCbnCloseUp = 8, kCbnSelEndOk = 9, kCbnSelEndCancel = 10;
constexpr int kLbnSelChange = 1, kLbnDblClk = 2, kLbnSetFocus = 4, kLbnKillFocus = 5;
constexpr int kVkTab = 9, kVkReturn = 13;

// Whether the key hook of a control reports the key.
bool reports_key(const ControlRecord& r, int virtual_key);

// Whether typing into the control accepts digits and backspace only.
bool digits_only(const ControlRecord& r);

// The text of the About box.
std::string about_text(const Dok& dok);

class EngineEvents : public WindowEvents {
public:
    EngineEvents(Dok& dok, platform::SingleInstance* instance) : dok_(dok), instance_(instance) {}
    void on_command(int id, int code) override;
    void on_key(size_t control, int virtual_key) override;
    void on_timer() override;
    void on_destroy() override;
    bool close_allowed() override;
    void on_idle() override;

private:
    Dok& dok_;
    platform::SingleInstance* instance_;
};

}  // namespace dok
