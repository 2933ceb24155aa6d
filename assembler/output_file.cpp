#include "output_file.hpp"

namespace tarn {

bool OutputFile::open(std::string_view path, Mode mode) {
    buffer_.clear();
    buffer_.reserve(kFlushSize + 256);
    mode_ = mode;
    return file_.open(path, platform::OutFile::Mode::Binary);
}

void OutputFile::write(std::string_view text) {
    if (!file_.is_open()) return;
    if (mode_ == Mode::Raw) {
        buffer_ += text;
    } else {
        for (size_t nl; (nl = text.find('\n')) != std::string_view::npos; text.remove_prefix(nl + 1)) {
            buffer_.append(text.data(), nl);
            buffer_ += "\r\n";
        }
        buffer_ += text;
    }
    if (buffer_.size() >= kFlushSize) flush();
}

void OutputFile::end_line() { append("\r\n"); }

void OutputFile::flush() {
    file_.write(buffer_);
    buffer_.clear();
}

bool OutputFile::close() {
    if (file_.is_open()) flush();
    return file_.close();
}

}  // namespace tarn
