#include "sound.hpp"

#include <windows.h>
#include <mmsystem.h>

#include "platform/files.hpp"

namespace platform {

bool play_wave(const std::string& path, const std::function<void()>&) {
    if (!is_regular_file(path)) return false;
    return sndPlaySoundA(path.c_str(), SND_SYNC | SND_NODEFAULT) != FALSE;
}

}  // namespace platform
