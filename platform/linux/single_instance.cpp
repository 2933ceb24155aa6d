#include "single_instance.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shared.hpp"

namespace platform {
namespace {

std::string default_dir() {
    if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run && *run) return std::string(run) + "/dok";
    return "/tmp/dok-" + std::to_string(getuid());
}

bool make_socket_address(const std::string& path, sockaddr_un& addr) {
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    return true;
}

void notify_holder(const std::string& path) {
    sockaddr_un addr;
    if (!make_socket_address(path, addr)) return;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
        const char msg[] = "front\n";
        (void)!write(fd, msg, sizeof msg - 1);
    }
    close(fd);
}

}  // namespace

SingleInstance::~SingleInstance() { release(); }

SingleInstance::Result SingleInstance::claim(std::string_view key, std::string_view dir) {
    release();
    std::string folder = dir.empty() ? default_dir() : std::string(dir);
    mkdir(folder.c_str(), 0700);
    // Only a folder of our own that nobody else can write to.
    struct stat st;
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid() ||
        (st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return Result::Failed;
    std::string base = folder + "/" + instance_key_hash(key);
    lock_path_ = base + ".lock";
    socket_path_ = base + ".sock";
    int fd = open(lock_path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return Result::Failed;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        notify_holder(socket_path_);
        return Result::Other;
    }
    lock_fd_ = fd;
    unlink(socket_path_.c_str());
    sockaddr_un addr;
    if (make_socket_address(socket_path_, addr)) {
        int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (s >= 0 && bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 && listen(s, 4) == 0) {
            listen_fd_ = s;
        } else if (s >= 0) {
            close(s);
        }
    }
    return Result::First;
}

bool SingleInstance::activation_requested() {
    if (listen_fd_ < 0) return false;
    bool any = false;
    while (true) {
        int c = accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (c < 0) break;
        any = true;
        close(c);
    }
    return any;
}

void SingleInstance::release() {
    if (listen_fd_ >= 0) {
        close(listen_fd_);
        unlink(socket_path_.c_str());
        listen_fd_ = -1;
    }
    if (lock_fd_ >= 0) {
        close(lock_fd_);  // drops the lock; the file stays for the next holder
        lock_fd_ = -1;
    }
}

}  // namespace platform
