// One running program per key and user. The first holder of a key takes a
// lock file and listens on a local socket named after the key (on Windows a
// named file mapping and event); a later program with the same key finds the
// lock taken, asks the holder to come to the front, and learns that it
// should end.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class SingleInstance {
public:
    enum class Result { First, Other, Failed };

    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Claims key. dir holds the lock and socket files; empty means the
    // per-user runtime folder. Other: another program holds the key and has
    // been asked to come to the front. Failed: no usable lock, for instance
    // in a folder that is not the user's own or that others can write to.
    Result claim(std::string_view key, std::string_view dir = {});

    // True (once per request) when another program asked this one to come
    // to the front since the last call. Never blocks.
    bool activation_requested();

    // Gives the key up.
    void release();

private:
#ifdef _WIN32
    void* mapping_ = nullptr;
    void* event_ = nullptr;
#else
    int lock_fd_ = -1;
    int listen_fd_ = -1;
    std::string lock_path_;
    std::string socket_path_;
#endif
};

}  // namespace platform
