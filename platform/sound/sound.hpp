// Wave sound playback on the default sound device.
#pragma once

#include <functional>
#include <string>

namespace platform {

// Plays the wave file to its end. pump runs about every 10 ms while the
// sound plays, so a window can keep repainting. False, at once, when the
// file cannot be read or no sound device can be opened. Never waits much
// longer than the sound lasts.
bool play_wave(const std::string& path, const std::function<void()>& pump);

}  // namespace platform
