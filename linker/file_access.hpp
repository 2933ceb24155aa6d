// Byte-level file access for the files that commands name. The disk version
// goes through the platform path rules; tests and fuzzers use files in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace fell {

class InputStream {
public:
    virtual ~InputStream() = default;
    // Up to n bytes; 0 at end of file or on error.
    virtual size_t read(void* buf, size_t n) = 0;
    virtual bool rewind() = 0;
};

class OutputStream {
public:
    virtual ~OutputStream() = default;
    // Number of bytes actually written.
    virtual size_t write(const void* data, size_t n) = 0;
    virtual bool close() = 0;
};

// Why an open failed.
enum class OpenFailure { none, failed, too_many_files };

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual std::unique_ptr<InputStream> open_read(const std::string& name, OpenFailure& why) = 0;
    // Creates or truncates the file.
    virtual std::unique_ptr<OutputStream> create(const std::string& name, OpenFailure& why) = 0;
};

FileSystem& disk_file_system();

// Files held in a map, keyed by the name exactly as given.
class MemoryFileSystem : public FileSystem {
public:
    std::unique_ptr<InputStream> open_read(const std::string& name, OpenFailure& why) override;
    std::unique_ptr<OutputStream> create(const std::string& name, OpenFailure& why) override;

    std::map<std::string, std::string> files;
    size_t max_file_size = 1 << 20;  // writes beyond this are short
};

// Buffered reading on top of an InputStream.
class ByteReader {
public:
    explicit ByteReader(InputStream& in) : in_(in) {}

    // Next byte, or -1 at end of file.
    int get();
    // Up to n bytes appended to out; returns the count.
    size_t read(std::string& out, size_t n);
    size_t read(uint8_t* out, size_t n);
    // A line of at most max_chars bytes, the line feed kept (fgets fashion);
    // false when nothing was read.
    bool read_line(std::string& line, size_t max_chars);
    bool rewind();

private:
    bool fill();

    InputStream& in_;
    uint8_t buf_[8192];
    size_t pos_ = 0;
    size_t len_ = 0;
};

}  // namespace fell
