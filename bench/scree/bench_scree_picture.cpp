// What the picture costs: a program that rewrites the whole screen about
// twice a frame, with eight sprites over it, run four ways: plain; rendering the picture at every frame's end;
// rendering and encoding it as PNG every frame (stored, as --png-every
// encodes it); and writing that PNG to a file every frame (--png-every 1). Then a program that rests in JMP $ on a
// still screen, plain and with --png-every 1 (each picture like the last, so
// what remains is the file system's cost of a file).
// Each as frames a second of this machine (processor time, steadier on a
// busy machine) and as a share of the plain run's speed.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <vector>

#include "machine/picture/png.hpp"
#include "machine/picture/render.hpp"
#include "machine/run/picture_output.hpp"
#include "machine/ti99/program_start.hpp"

namespace {

//   A000 02E0 8300        LWPI >8300
//   A004 04C3             CLR  R3
//   A006 0200 0040  LOOP  LI   R0,>0040       VDP write address >0000
//   A00A D800 8C02        MOVB R0,@>8C02
//   A00E 06C0             SWPB R0
//   A010 D800 8C02        MOVB R0,@>8C02
//   A014 0201 0300        LI   R1,768
//   A018 C083             MOV  R3,R2
//   A01A D802 8C00  INNER MOVB R2,@>8C00     the next character
//   A01E 0222 0100        AI   R2,>0100
//   A022 0601             DEC  R1
//   A024 16FA             JNE  INNER
//   A026 0223 0100        AI   R3,>0100      the screen moves on by one
//   A02A 10ED             JMP  LOOP
constexpr uint16_t kCode[] = {0x02E0, 0x8300, 0x04C3, 0x0200, 0x0040, 0xD800, 0x8C02, 0x06C0, 0xD800, 0x8C02,
                              0x0201, 0x0300, 0xC083, 0xD802, 0x8C00, 0x0222, 0x0100, 0x0601, 0x16FA, 0x0223,
                              0x0100, 0x10ED};

void load(scree::Machine& m, bool still) {
    scree::prepare_machine(m);
    for (unsigned i = 0; i < sizeof kCode / sizeof kCode[0]; ++i)
        m.poke_word(static_cast<uint16_t>(0xA000 + 2 * i), kCode[i]);
    if (still) m.poke_word(0xA000, 0x10FF);  // JMP $
    // Eight 16x16 magnified sprites, two to a line, in the character set's
    // patterns; then the end mark.
    m.vdp().set_reg(1, static_cast<uint8_t>(m.vdp().reg(1) | 0x03));
    const unsigned attributes = (m.vdp().reg(5) & 0x7F) * 0x80u;
    for (unsigned n = 0; n < 8; ++n) {
        uint8_t* a = &m.vdp().vram()[attributes + 4 * n];
        a[0] = static_cast<uint8_t>(20 * n), a[1] = static_cast<uint8_t>(30 * n), a[2] = static_cast<uint8_t>(65 + 4 * n);
        a[3] = static_cast<uint8_t>(2 + n);
    }
    m.vdp().vram()[attributes + 32] = 0xD0;
    scree::start_program(m, 0xA000);
}

constexpr unsigned kRounds = 5;

// Processor seconds a frame over `frames` frames, calling at_frame after
// each.
double timed_run(uint64_t frames, bool still, const std::function<void(scree::Machine&)>& at_frame) {
    scree::Machine m;
    load(m, still);
    const std::clock_t c0 = std::clock();
    while (m.frames() < frames) {
        m.run(m.frames() + 1, false);
        at_frame(m);
    }
    return static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC / static_cast<double>(frames);
}

struct Way {
    const char* name;
    uint64_t frames;  // fewer where each frame costs milliseconds
    bool still;
    std::function<void(scree::Machine&)> at_frame;
    std::vector<double> seconds{};  // a frame, one for each round
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void report(const Way& way, double plain) {
    const double s = median(way.seconds);
    std::printf("%-34s %8.0f frames/s, %5.0f times a real 99/4A, %5.1f%% of the plain run's speed\n", way.name,
                1 / s, 1 / 59.94 / s, 100 * plain / s);
}

}  // namespace

int main() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "bench_scree_picture";
    scree::FrameSeries series;
    if (!series.open(folder.string())) {
        std::fprintf(stderr, "bench_scree_picture: cannot make %s\n", folder.string().c_str());
        return 1;
    }
    scree::Frame frame;
    auto nothing = [](scree::Machine&) {};
    auto render = [&](scree::Machine& m) { scree::render(m.vdp(), frame); };
    auto encode = [&](scree::Machine& m) {
        scree::render(m.vdp(), frame);
        (void)scree::encode_png(frame, scree::PngEffort::Fast);
    };
    auto write = [&](scree::Machine& m) { series.write(m.vdp(), m.frames()); };
    std::vector<Way> ways = {
        {"plain run", 3000, false, nothing},
        {"render every frame", 3000, false, render},
        {"render + PNG encode every frame", 300, false, encode},
        {"--png-every 1 (PNG files)", 300, false, write},
        {"still screen: plain run", 3000, true, nothing},
        {"still screen: --png-every 1", 3000, true, write},
    };
    for (unsigned round = 0; round < kRounds; ++round)
        for (Way& way : ways) way.seconds.push_back(timed_run(way.frames, way.still, way.at_frame));
    std::filesystem::remove_all(folder);

    std::printf("scree picture: medians of %u rounds; a program that rewrites the screen twice a frame:\n", kRounds);
    for (unsigned i = 0; i < 4; ++i) report(ways[i], median(ways[0].seconds));
    std::printf("a program at rest in JMP $:\n");
    for (unsigned i = 4; i < 6; ++i) report(ways[i], median(ways[4].seconds));
    const double render_cost = median(ways[1].seconds) - median(ways[0].seconds);
    std::printf("render alone: %.1f us a frame; PNG encode: %.0f us a frame; creating and writing a file: %.0f us\n",
                render_cost * 1e6, (median(ways[2].seconds) - median(ways[1].seconds)) * 1e6,
                (median(ways[5].seconds) - median(ways[4].seconds) - render_cost) * 1e6);
    return 0;
}
