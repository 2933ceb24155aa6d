#include "single_instance.hpp"

#include <cstdint>
#include <cstdio>

#include "win32_support.hpp"

namespace platform {
namespace {

std::string key_hash(std::string_view key) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : key) {
        h ^= c;
        h *= 1099511628211ull;
    }
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
    return buf;
}

}  // namespace

SingleInstance::~SingleInstance() { release(); }

// A named file mapping in the session's namespace marks the holder; a named
// event carries the requests to come to the front. dir is not used.
SingleInstance::Result SingleInstance::claim(std::string_view key, std::string_view) {
    release();
    std::string base = "Local\\dok-" + key_hash(key);
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 16, (base + "-map").c_str());
    if (!mapping) return Result::Failed;
    bool exists = GetLastError() == ERROR_ALREADY_EXISTS;
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, (base + "-front").c_str());
    if (exists) {
        if (event) {
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
