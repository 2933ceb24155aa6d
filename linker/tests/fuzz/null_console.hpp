// Console streams for fuzzing: output is discarded.
#pragma once

#include <ostream>
#include <streambuf>

namespace fell {

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

}  // namespace fell
