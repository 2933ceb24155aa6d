#include "machine/run/picture_output.hpp"

#include <cstdio>

#include "machine/picture/png.hpp"
#include "machine/picture/render.hpp"
#include "platform/file_ops.hpp"
#include "platform/files.hpp"

namespace scree {

bool write_png(const Vdp& vdp, const std::string& path) {
    Frame frame;
    render(vdp, frame);
    const std::string png = encode_png(frame);
    return !png.empty() && platform::write_file_atomic(path, png);
}

std::string frame_file_name(uint64_t frame) {
    char name[40];
    std::snprintf(name, sizeof name, "frame%06llu.png", static_cast<unsigned long long>(frame));
    return name;
}

bool FrameSeries::open(const std::string& folder) {
    if (!platform::is_directory(folder) && (platform::file_exists(folder) || !platform::make_directory(folder)))
        return false;
    return folder_.open(folder);
}

// Written straight, not through a temporary file: a series is many files
// a second, and each is new. Stored, not compressed, so that a picture every
// frame keeps more than half of the run's speed; a picture like the last is
// not encoded again.
bool FrameSeries::write(const Vdp& vdp, uint64_t frame) {
    render(vdp, frame_);
    if (png_.empty() || frame_.pixels != last_.pixels) {
        png_ = encode_png(frame_, PngEffort::Fast);
        last_ = frame_;
    }
    return !png_.empty() && folder_.write(frame_file_name(frame), png_);
}

}  // namespace scree
