#include "machine/tests/picture/picture_check.hpp"

#include <cstdlib>
#include <sstream>

#include "machine/picture/palette.hpp"
#include "machine/picture/png.hpp"
#include "machine/picture/render.hpp"
#include "machine/tests/support/ti99_program.hpp"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>

namespace picture_test {

namespace {

const testkit::fs::path kExpected = testkit::source_dir() / "machine" / "tests" / "picture" / "expected";

// The prelude sets the registers; the routines follow the body.
constexpr std::string_view kPrelude = R"(       LWPI WS
       LI   R3,REGS
       LI   R4,>8000
SETREG MOVB *R3+,@VDPWA
       MOVB R4,@VDPWA
       AI   R4,>0100
       CI   R4,>8800
       JNE  SETREG
)";

constexpr std::string_view kRoutines = R"(DONE   JMP  DONE
VWADDR SWPB R0
       MOVB R0,@VDPWA
       SWPB R0
       ORI  R0,>4000
       MOVB R0,@VDPWA
       RT
FILL   MOV  R11,R10
       BL   @VWADDR
FILL1  MOVB R1,@VDPWD
       DEC  R2
       JNE  FILL1
       B    *R10
COPY   MOV  R11,R10
       BL   @VWADDR
COPY1  MOVB *R1+,@VDPWD
       DEC  R2
       JNE  COPY1
       B    *R10
SEQ    MOV  R11,R10
       BL   @VWADDR
SEQ1   MOVB R1,@VDPWD
       AB   R5,R1
       DEC  R2
       JNE  SEQ1
       B    *R10
WS     BSS  32
       END
)";

std::string describe(unsigned x, unsigned y, uint8_t colour, const stbi_uc* file) {
    const scree::Rgb& c = scree::kPalette[colour];
    std::ostringstream s;
    s << "pixel (" << x << ", " << y << "): the picture has colour " << unsigned(colour) << " (" << unsigned(c.r)
      << "," << unsigned(c.g) << "," << unsigned(c.b) << "), the expected file " << unsigned(file[0]) << ","
      << unsigned(file[1]) << "," << unsigned(file[2]);
    return s.str();
}

}  // namespace

std::string expected_png(std::string_view name) { return testkit::read_bytes(kExpected / (std::string(name) + ".png")); }

std::string check_picture(const scree::Frame& frame, std::string_view name) {
    const testkit::fs::path path = kExpected / (std::string(name) + ".png");
    if (testkit::updating_golden()) {
        testkit::write_bytes(path, scree::encode_png(frame));
        return {};
    }
    if (!testkit::fs::exists(path)) return "missing expected picture " + path.string();
    const std::string png = testkit::read_bytes(path);
    int w = 0, h = 0, channels = 0;
    stbi_uc* rgb = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(png.data()), static_cast<int>(png.size()),
                                         &w, &h, &channels, 3);
    if (!rgb) return path.string() + ": not a PNG file";
    std::string first;
    unsigned differ = 0;
    if (w != int(scree::Frame::kWidth) || h != int(scree::Frame::kHeight)) {
        first = "the expected picture is " + std::to_string(w) + "x" + std::to_string(h);
    } else {
        for (unsigned y = 0; y < scree::Frame::kHeight; ++y)
            for (unsigned x = 0; x < scree::Frame::kWidth; ++x) {
                const scree::Rgb& want = scree::kPalette[frame.at(x, y)];
                const stbi_uc* got = rgb + 3 * (y * scree::Frame::kWidth + x);
                if (got[0] == want.r && got[1] == want.g && got[2] == want.b) continue;
                if (differ++ == 0) first = describe(x, y, frame.at(x, y), got);
            }
    }
    stbi_image_free(rgb);
    if (first.empty()) return {};
    return std::string(name) + ": " + first + (differ > 1 ? " (" + std::to_string(differ) + " pixels differ)" : "");
}

std::unique_ptr<scree::Machine> run_vdp_program(std::string_view body) {
    auto m = scree_test::run_program(std::string(kPrelude) + std::string(body) + std::string(kRoutines), 300);
    (void)m->vdp().read_status();  // what frames of the set-up left
    m->run(m->frames() + 1, false);
    return m;
}

scree::Frame picture_of(scree::Machine& machine) {
    scree::Frame frame;
    scree::render(machine.vdp(), frame);
    return frame;
}

}  // namespace picture_test
