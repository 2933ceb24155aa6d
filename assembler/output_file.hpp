// An output file of the assembler, handed to the platform in large pieces.
// Lines end in CR LF on every platform: each '\n' of the text is written as
// CR LF, except in raw mode (the compressed object form).
#pragma once

#include <string>
#include <string_view>

#include "platform/text_file.hpp"

namespace tarn {

class OutputFile {
public:
    enum class Mode { Text, Raw };

    OutputFile() = default;
    ~OutputFile() { close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates or truncates the file.
    bool open(std::string_view path, Mode mode);
    bool is_open() const { return file_.is_open(); }
    void write(std::string_view text);
    // Text without line end, taken as it is.
    void append(std::string_view text) {
        buffer_ += text;
        if (buffer_.size() >= kFlushSize) flush();
    }
    // The text gathered so far, for building a line in place; end_line()
    // ends it (or, in raw mode, append()).
    std::string& gathered() { return buffer_; }
    void end_line();
    // Writes what is gathered and closes; false if any write failed.
    bool close();

private:
    static constexpr size_t kFlushSize = 1 << 16;

    void flush();

    platform::OutFile file_;
    std::string buffer_;
    Mode mode_ = Mode::Text;
};

}  // namespace tarn
