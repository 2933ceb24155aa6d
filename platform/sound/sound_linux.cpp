#include "sound.hpp"

#include <SDL.h>
#include <alsa/asoundlib.h>

#include <chrono>
#include <thread>

#include "platform/files.hpp"

namespace platform {
namespace {

// The sound library probes its back ends at every start; the ALSA one
// reports a machine without sound cards on standard error.
void quiet_alsa(const char*, int, const char*, int, const char*, ...) {}

class AudioSession {
public:
    AudioSession() {
        snd_lib_error_set_handler(quiet_alsa);
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        ok_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    }
    ~AudioSession() {
        if (ok_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    AudioSession(const AudioSession&) = delete;
    AudioSession& operator=(const AudioSession&) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};

struct WaveData {
    SDL_AudioSpec format{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    ~WaveData() {
        if (buffer) SDL_FreeWAV(buffer);
    }
};

double seconds_of(const WaveData& w) {
    int frame = SDL_AUDIO_BITSIZE(w.format.format) / 8 * w.format.channels;
    if (frame <= 0 || w.format.freq <= 0) return 0;
    return static_cast<double>(w.length) / frame / w.format.freq;
}

}  // namespace

bool play_wave(const std::string& path, const std::function<void()>& pump) {
    if (!is_regular_file(path)) return false;
    AudioSession session;
    if (!session.ok()) return false;
    WaveData wave;
    if (!SDL_LoadWAV(path.c_str(), &wave.format, &wave.buffer, &wave.length)) return false;
    SDL_AudioSpec device_format = wave.format;
    device_format.samples = 512;  // short pieces: the device closes soon after the end
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &device_format, nullptr, 0);
    if (device == 0) return false;
    SDL_QueueAudio(device, wave.buffer, wave.length);
    SDL_PauseAudioDevice(device, 0);
    using clock = std::chrono::steady_clock;
    auto start = clock::now();
    auto length = std::chrono::milliseconds(static_cast<int64_t>(seconds_of(wave) * 1000));
    auto limit = start + length + std::chrono::seconds(1);
    // The device takes the sound in pieces and plays it in real time.
    while ((SDL_GetQueuedAudioSize(device) > 0 || clock::now() < start + length) && clock::now() < limit) {
        if (pump) pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    SDL_CloseAudioDevice(device);
    return true;
}

}  // namespace platform
