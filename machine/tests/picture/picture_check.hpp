// Pictures compared with expected PNG files pixel by pixel, and test
// programs that set the VDP up through its ports.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "machine/picture/frame.hpp"
#include "machine/ti99/machine.hpp"

namespace picture_test {

// Empty when the frame shows the same colours as expected/<name>.png, else
// the first differing pixel and how many differ. With TMS_UPDATE_GOLDEN=1
// the file is written instead.
std::string check_picture(const scree::Frame& frame, std::string_view name);

// The committed expected/<name>.png.
std::string expected_png(std::string_view name);

// Runs a program on a powered-up machine until it rests, then one more
// frame, so that the status shows that frame's sprites. The body starts in
// its own workspace with the VDP registers set from the 8 bytes at REGS,
// which it defines, and may call:
//   FILL  R0 VDP address, R1 byte (high), R2 count
//   COPY  R0 VDP address, R1 CPU address, R2 count
//   SEQ   as FILL, adding R5's high byte to the byte after each write
std::unique_ptr<scree::Machine> run_vdp_program(std::string_view body);

// Renders the machine's picture.
scree::Frame picture_of(scree::Machine& machine);

}  // namespace picture_test
