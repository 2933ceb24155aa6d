// --png and --png-every: pictures of the VDP's state as PNG files.
#pragma once

#include <cstdint>
#include <string>

#include "machine/picture/frame.hpp"
#include "machine/ti99/vdp.hpp"
#include "platform/folder_writer.hpp"

namespace scree {

// Renders the picture and writes it to path (replacing the file whole);
// false when the file cannot be written.
bool write_png(const Vdp& vdp, const std::string& path);

// The name of frame n's picture: frame000060.png (six digits or more).
std::string frame_file_name(uint64_t frame);

// Every Nth frame's picture into one folder.
class FrameSeries {
public:
    // Creates the folder when it does not exist; false when it cannot be
    // created or is not a folder.
    bool open(const std::string& folder);
    // Writes frame n's picture; false when the file cannot be written.
    bool write(const Vdp& vdp, uint64_t frame);
    const std::string& last_path() const { return folder_.last_path(); }

private:
    platform::FolderWriter folder_;
    Frame frame_;
    Frame last_;      // the picture of the last file written
    std::string png_;  // and its bytes, written again while it stays
};

}  // namespace scree
