// Buffered text input and text/binary output.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Reads a file as text: CR LF counts as one line end ('\n'); a lone CR is an
// ordinary character. Lines are read with the semantics of a C fgets into a
// buffer of buffer_size bytes.
class TextReader {
public:
    TextReader() = default;
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    bool open(std::string_view path);
    bool is_open() const { return fd_ >= 0; }
    void close();

    // Reads at most buffer_size - 1 characters into line, stopping after a
    // '\n' (which is kept). False at end of file with nothing read, or on a
    // read error (see failed()).
    bool read_line(std::string& line, size_t buffer_size);

    // Back to the start of the file.
    bool rewind();

    bool failed() const { return failed_; }
    bool at_end();

private:
    bool fill();
    int peek();

    int fd_ = -1;
    std::vector<char> buf_;
    size_t pos_ = 0;
    size_t len_ = 0;
    bool eof_ = false;
    bool failed_ = false;
};

// Output file. In text mode every '\n' written becomes CR LF.
class OutFile {
public:
    enum class Mode { Text, Binary };

    OutFile() = default;
    ~OutFile();
    OutFile(const OutFile&) = delete;
    OutFile& operator=(const OutFile&) = delete;

    // Creates or truncates the file.
    bool open(std::string_view path, Mode mode = Mode::Text);
    bool is_open() const { return file_ != nullptr; }

    void write(std::string_view text);
    void put(char c);

    // Flushes and closes; false if any write failed.
    bool close();
    bool failed() const { return failed_; }

private:
    std::FILE* file_ = nullptr;
    Mode mode_ = Mode::Text;
    bool failed_ = false;
};

// Writes text to a file, '\n' as CR LF; false on any failure.
bool write_text_file(std::string_view path, std::string_view text);

}  // namespace platform
