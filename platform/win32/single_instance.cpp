#include "single_instance.hpp"

#include "shared.hpp"
#include "support.hpp"

namespace platform {

SingleInstance::~SingleInstance() { release(); }

// A named file mapping in the session's namespace marks the holder; a named
// event carries the requests to come to the front. dir is not used.
SingleInstance::Result SingleInstance::claim(std::string_view key, std::string_view) {
    release();
    std::string base = "Local\\dok-" + instance_key_hash(key);
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 16, (base + "-map").c_str());
    if (!mapping) return Result::Failed;
    bool exists = GetLastError() == ERROR_ALREADY_EXISTS;
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, (base + "-front").c_str());
    if (exists) {
        if (event) {
            // The foreground belongs to this program, which was just started:
            // it lets the holder take it.
            AllowSetForegroundWindow(ASFW_ANY);
            SetEvent(event);
            CloseHandle(event);
        }
        CloseHandle(mapping);
        return Result::Other;
    }
    mapping_ = mapping;
    event_ = event;
    return Result::First;
}

bool SingleInstance::activation_requested() {
    return event_ && WaitForSingleObject(static_cast<HANDLE>(event_), 0) == WAIT_OBJECT_0;
}

void SingleInstance::release() {
    if (event_) CloseHandle(static_cast<HANDLE>(event_));
    if (mapping_) CloseHandle(static_cast<HANDLE>(mapping_));
    event_ = mapping_ = nullptr;
}

}  // namespace platform
