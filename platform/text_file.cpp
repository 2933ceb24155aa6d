#include "text_file.hpp"

#include <cstring>

#include "paths.hpp"
#include "shared.hpp"

namespace platform {
namespace {
constexpr size_t kWriteBuffer = 1 << 16;
}

TextReader::~TextReader() { close(); }

int TextReader::peek() {
    if (pos_ == len_ && !fill()) return -1;
    return static_cast<unsigned char>(buf_[pos_]);
}

bool TextReader::at_end() { return peek() < 0; }

bool TextReader::read_line(std::string& line, size_t buffer_size) {
    line.clear();
    if (buffer_size < 2) return false;
    const size_t limit = buffer_size - 1;
    while (line.size() < limit) {
        if (pos_ == len_ && !fill()) break;
        // Copy a run of ordinary characters at once.
        const char* start = buf_.data() + pos_;
        size_t avail = len_ - pos_;
        size_t room = limit - line.size();
        size_t n = avail < room ? avail : room;
        if (const void* lf = std::memchr(start, '\n', n)) n = static_cast<size_t>(static_cast<const char*>(lf) - start);
        if (const void* cr = std::memchr(start, '\r', n)) n = static_cast<size_t>(static_cast<const char*>(cr) - start);
        line.append(start, n);
        pos_ += n;
        if (n == avail || line.size() == limit) continue;
        char c = buf_[pos_++];
        if (c == '\n') {
            line += '\n';
            return true;
        }
        // c == '\r': CR LF is one line end.
        if (peek() == '\n') {
            ++pos_;
            line += '\n';
            return true;
        }
        line += '\r';
    }
    return !line.empty();
}

OutFile::~OutFile() { close(); }

bool OutFile::open(std::string_view path, Mode mode) {
    close();
    file_ = create_output_stream(resolve_path(path));
    if (!file_) return false;
    static_cast<void>(std::setvbuf(file_, nullptr, _IOFBF, kWriteBuffer));
    mode_ = mode;
    failed_ = false;
    return true;
}

void OutFile::write(std::string_view text) {
    if (!file_) return;
    if (mode_ == Mode::Binary) {
        if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) failed_ = true;
        return;
    }
    while (!text.empty()) {
        size_t nl = text.find('\n');
        size_t n = nl == std::string_view::npos ? text.size() : nl;
        if (n && std::fwrite(text.data(), 1, n, file_) != n) failed_ = true;
        if (nl == std::string_view::npos) break;
        if (std::fwrite("\r\n", 1, 2, file_) != 2) failed_ = true;
        text.remove_prefix(nl + 1);
    }
}

void OutFile::put(char c) {
    if (!file_) return;
    if (c == '\n' && mode_ == Mode::Text) {
        if (std::fputc('\r', file_) == EOF) failed_ = true;
    }
    if (std::fputc(c, file_) == EOF) failed_ = true;
}

bool OutFile::close() {
    if (!file_) return !failed_;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}

bool write_text_file(std::string_view path, std::string_view text) {
    OutFile out;
    if (!out.open(path)) return false;
    out.write(text);
    return out.close();
}

}  // namespace platform
