// --trace: one line for every executed instruction, in tarn's syntax, with
// the PC it ran at, the WP and ST after it and the registers it changed.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "machine/ti99/machine.hpp"
#include "platform/text_file.hpp"

namespace scree {

class TraceWriter {
public:
    // Opens the file (text, CR LF); false when it cannot be created.
    bool open(const std::string& path);
    // Takes the registers as they are before the first instruction.
    void start(Machine& machine);
    // After each instruction.
    void record(Machine& machine);
    // False when a write failed.
    bool close();

    // The line for the instruction just executed (also for tests).
    std::string line(Machine& machine);

private:
    void take_registers(Machine& machine);

    platform::OutFile file_;
    uint16_t wp_ = 0;
    std::array<uint16_t, 16> registers_{};
};

}  // namespace scree
