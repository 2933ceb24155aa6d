#include "machine/picture/png.hpp"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <string_view>

#include "machine/picture/palette.hpp"

namespace scree {

namespace {

constexpr unsigned kRowBytes = 1 + Frame::kWidth / 2;  // filter type, two pixels a byte
constexpr unsigned kRawBytes = kRowBytes * Frame::kHeight;

void put32(std::string& out, uint32_t v) {
    const char bytes[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    out.append(bytes, 4);
}

// Length, type, data and the CRC of type and data.
void put_chunk(std::string& out, std::string_view type, std::string_view data) {
    put32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.append(type);
    out.append(data);
    const auto* crc_from = reinterpret_cast<const Bytef*>(out.data() + start);
    put32(out, static_cast<uint32_t>(crc32(0, crc_from, static_cast<uInt>(out.size() - start))));
}

std::string header() {
    std::string ihdr;
    put32(ihdr, Frame::kWidth);
    put32(ihdr, Frame::kHeight);
    ihdr += '\x04';  // bits a pixel
    ihdr += '\x03';  // indexed colour
    ihdr.append(3, '\0');  // deflate, adaptive filters, no interlace
    std::string plte;
    for (const Rgb& c : kPalette) {
        plte += static_cast<char>(c.r);
        plte += static_cast<char>(c.g);
        plte += static_cast<char>(c.b);
    }
    std::string out("\x89PNG\r\n\x1A\n", 8);
    put_chunk(out, "IHDR", ihdr);
    put_chunk(out, "PLTE", plte);
    return out;
}

// Filter type 2 (up: each byte less the one above it) for the small file:
// the rows of a character repeat much of the row above. Type 0 (none) for the
// fast one, which does not compress.
void pack_rows(const Frame& frame, bool up, std::array<Bytef, kRawBytes>& raw) {
    std::array<Bytef, kRowBytes - 1> above{};
    Bytef* out = raw.data();
    const uint8_t* in = frame.pixels.data();
    for (unsigned y = 0; y < Frame::kHeight; ++y) {
        *out++ = up ? 2 : 0;
        for (Bytef& last : above) {
            const auto packed = static_cast<Bytef>((in[0] & 0x0F) << 4 | (in[1] & 0x0F));
            *out++ = up ? static_cast<Bytef>(packed - last) : packed;
            last = packed;
            in += 2;
        }
    }
}

// One deflate stream a thread and effort, reset for each picture: setting one
// up costs more than compressing a frame.
struct Deflater {
    z_stream stream{};
    bool ready = false;
    explicit Deflater(int level) { ready = deflateInit(&stream, level) == Z_OK; }
    ~Deflater() {
        if (ready) deflateEnd(&stream);
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;
};

// Level 0 stores the rows as they are (the encoder only copies them and
// sums them); level 9 gives the smallest file.
z_stream* deflater(PngEffort effort) {
    thread_local Deflater fast(Z_NO_COMPRESSION);
    thread_local Deflater small(Z_BEST_COMPRESSION);
    Deflater& d = effort == PngEffort::Fast ? fast : small;
    return d.ready ? &d.stream : nullptr;
}

std::string compress(std::array<Bytef, kRawBytes>& raw, PngEffort effort) {
    z_stream* z = deflater(effort);
    if (!z) return {};
    deflateReset(z);
    std::string out(deflateBound(z, kRawBytes), '\0');
    z->next_in = raw.data();
    z->avail_in = kRawBytes;
    z->next_out = reinterpret_cast<Bytef*>(out.data());
    z->avail_out = static_cast<uInt>(out.size());
    if (deflate(z, Z_FINISH) != Z_STREAM_END) return {};
    out.resize(z->total_out);
    return out;
}

}  // namespace

// Empty when zlib fails (it can only run out of memory).
std::string encode_png(const Frame& frame, PngEffort effort) {
    static const std::string start = header();
    std::array<Bytef, kRawBytes> raw;
    pack_rows(frame, effort == PngEffort::Small, raw);
    const std::string idat = compress(raw, effort);
    if (idat.empty()) return {};
    std::string out;
    out.reserve(start.size() + idat.size() + 24);
    out = start;
    put_chunk(out, "IDAT", idat);
    put_chunk(out, "IEND", {});
    return out;
}

}  // namespace scree
