// PIO and RS232: a printer that prints each record written to it as a line
// on the host (standard output or a file).
#pragma once

#include <functional>
#include <string_view>

#include "machine/disk/pab.hpp"

namespace scree {

class Printer {
public:
    // Takes each record as a line, without its line end.
    using Sink = std::function<void(std::string_view line)>;

    explicit Printer(Sink sink) : sink_(std::move(sink)) {}

    // OPEN (any mode; record length 0 becomes 80), WRITE, CLOSE and STATUS;
    // the device has nothing to read, load or delete (error 3).
    IoError serve(Pab& pab, const Vram& vram);

private:
    Sink sink_;
};

}  // namespace scree
