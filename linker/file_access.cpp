#include "file_access.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/fd_io.hpp"
#include "platform/paths.hpp"

namespace fell {
namespace {

OpenFailure failure_from(int err) {
    return (err == EMFILE || err == ENFILE) ? OpenFailure::too_many_files : OpenFailure::failed;
}

class DiskInput : public InputStream {
public:
    explicit DiskInput(int fd) : fd_(fd) {}
    ~DiskInput() override { platform::fd_close(fd_); }

    size_t read(void* buf, size_t n) override {
        size_t got = 0;
        return platform::fd_read(fd_, static_cast<char*>(buf), n, got) == 0 ? got : 0;
    }
    bool rewind() override { return platform::fd_rewind(fd_) == 0; }

private:
    int fd_;
};

class DiskOutput : public OutputStream {
public:
    explicit DiskOutput(int fd) : fd_(fd) {}
    ~DiskOutput() override { close(); }

    size_t write(const void* data, size_t n) override {
        if (fd_ < 0) return 0;
        return platform::write_all(fd_, std::string_view(static_cast<const char*>(data), n)) ? n : 0;
    }
    bool close() override {
        if (fd_ < 0) return true;
        bool ok = platform::fd_close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

private:
    int fd_;
};

class DiskFileSystem : public FileSystem {
public:
    std::unique_ptr<InputStream> open_read(const std::string& name, OpenFailure& why) override {
        int fd = -1;
        int err = platform::fd_open_read(platform::resolve_path(name), fd);
        if (err != 0) {
            why = failure_from(err);
            return nullptr;
        }
        why = OpenFailure::none;
        return std::make_unique<DiskInput>(fd);
    }

    std::unique_ptr<OutputStream> create(const std::string& name, OpenFailure& why) override {
        int fd = -1;
        int err = platform::fd_create(platform::resolve_path(name), fd);
        if (err != 0) {
            why = failure_from(err);
            return nullptr;
        }
        why = OpenFailure::none;
        return std::make_unique<DiskOutput>(fd);
    }
};

class MemoryInput : public InputStream {
public:
    explicit MemoryInput(std::string data) : data_(std::move(data)) {}
    size_t read(void* buf, size_t n) override {
        size_t count = std::min(n, data_.size() - pos_);
        std::memcpy(buf, data_.data() + pos_, count);
        pos_ += count;
        return count;
    }
    bool rewind() override {
        pos_ = 0;
        return true;
    }

private:
    std::string data_;
    size_t pos_ = 0;
};

class MemoryOutput : public OutputStream {
public:
    MemoryOutput(std::string& target, size_t limit) : target_(target), limit_(limit) {}
    size_t write(const void* data, size_t n) override {
        size_t count = std::min(n, limit_ - std::min(limit_, target_.size()));
        target_.append(static_cast<const char*>(data), count);
        return count;
    }
    bool close() override { return true; }

private:
    std::string& target_;
    size_t limit_;
};

}  // namespace

FileSystem& disk_file_system() {
    static DiskFileSystem disk;
    return disk;
}

std::unique_ptr<InputStream> MemoryFileSystem::open_read(const std::string& name, OpenFailure& why) {
    auto it = files.find(name);
    if (it == files.end()) {
        why = OpenFailure::failed;
        return nullptr;
    }
    why = OpenFailure::none;
    return std::make_unique<MemoryInput>(it->second);
}

std::unique_ptr<OutputStream> MemoryFileSystem::create(const std::string& name, OpenFailure& why) {
    if (name.empty()) {
        why = OpenFailure::failed;
        return nullptr;
    }
    std::string& target = files[name];
    target.clear();
    why = OpenFailure::none;
    return std::make_unique<MemoryOutput>(target, max_file_size);
}

bool ByteReader::fill() {
    pos_ = 0;
    len_ = in_.read(buf_, sizeof buf_);
    return len_ > 0;
}

int ByteReader::get() {
    if (pos_ == len_ && !fill()) return -1;
    return buf_[pos_++];
}

size_t ByteReader::read(std::string& out, size_t n) {
    size_t done = 0;
    while (done < n) {
        if (pos_ == len_ && !fill()) break;
        size_t count = std::min(n - done, len_ - pos_);
        out.append(reinterpret_cast<const char*>(buf_ + pos_), count);
        pos_ += count;
        done += count;
    }
    return done;
}

size_t ByteReader::read(uint8_t* out, size_t n) {
    size_t done = 0;
    while (done < n) {
        if (pos_ == len_ && !fill()) break;
        size_t count = std::min(n - done, len_ - pos_);
        std::memcpy(out + done, buf_ + pos_, count);
        pos_ += count;
        done += count;
    }
    return done;
}

bool ByteReader::read_line(std::string& line, size_t max_chars) {
    line.clear();
    while (line.size() < max_chars) {
        int c = get();
        if (c < 0) break;
        line += static_cast<char>(c);
        if (c == '\n') break;
    }
    return !line.empty();
}

bool ByteReader::rewind() {
    pos_ = len_ = 0;
    return in_.rewind();
}

}  // namespace fell
