#include "machine/run/picture_output.hpp"

#include <cstdio>

#include "machine/picture/png.hpp"
#include "machine/picture/render.hpp"
#include "platform/file_ops.hpp"
#include "platform/files.hpp"
#include "platform/paths.hpp"
#include "platform/text_file.hpp"

namespace scree {

bool write_png(const Vdp& vdp, const std::string& path) {
    Frame frame;
    render(vdp, frame);
    return platform::write_file_atomic(path, encode_png(frame));
}

std::string frame_file_name(uint64_t frame) {
    char name[40];
    std::snprintf(name, sizeof name, "frame%06llu.png", static_cast<unsigned long long>(frame));
    return name;
}

bool FrameSeries::open(const std::string& folder) {
    folder_ = folder;
    if (!folder_.empty() && !platform::is_separator(folder_.back())) folder_ += '/';
    if (platform::is_directory(folder)) return true;
    return !platform::file_exists(folder) && platform::make_directory(folder);
}

// Written straight, not through a temporary file: a series is many files
// a second, and each is new. A picture like the last is not encoded again.
bool FrameSeries::write(const Vdp& vdp, uint64_t frame) {
    path_ = folder_ + frame_file_name(frame);
    render(vdp, frame_);
    if (png_.empty() || frame_.pixels != last_.pixels) {
        png_ = encode_png(frame_);
        last_ = frame_;
    }
    platform::OutFile file;
    if (!file.open(path_, platform::OutFile::Mode::Binary)) return false;
    file.write(png_);
    return file.close();
}

}  // namespace scree
