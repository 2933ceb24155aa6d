// Standard input, output and error in binary mode from the start, so that
// every byte is passed on as written: the programs write their own CR LF.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

struct BinaryStandardStreams {
    BinaryStandardStreams() {
        _setmode(_fileno(stdin), _O_BINARY);
        _setmode(_fileno(stdout), _O_BINARY);
        _setmode(_fileno(stderr), _O_BINARY);
    }
};

const BinaryStandardStreams binary_standard_streams;

}  // namespace

// Referenced by the link options of the platform library, so that every
// program gets this file.
extern "C" int tms_binary_standard_streams;
int tms_binary_standard_streams = 0;
