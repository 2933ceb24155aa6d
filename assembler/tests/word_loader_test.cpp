// The object file of every golden case, loaded by the linker and by a loader
// that stores each data word at its address AND >FFFE, as the processor's
// loaders do, must give the same memory image; expected/memory.txt holds the
// linker's image.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>

#include "linker/link_state.hpp"
#include "linker/object_loader.hpp"
#include "tarn_test_support.hpp"

namespace fs = std::filesystem;

namespace {

const fs::path kCases = testkit::source_dir() / "assembler" / "tests" / "golden";
constexpr uint16_t kOrigin = 0xA000;  // the linker's first origin

using Memory = std::array<uint8_t, 65536>;

unsigned hex_field(const std::string& record, size_t& pos) {
    unsigned v = static_cast<unsigned>(std::stoul(record.substr(pos, 4), nullptr, 16));
    pos += 4;
    return v;
}

// Reads the fields the linker knows and stops, as it does, at any other.
void load_words(const std::string& object, Memory& memory) {
    std::istringstream in(object);
    uint16_t address = 0;
    for (std::string record; std::getline(in, record);) {
        size_t pos = 0;
        while (pos < record.size()) {
            const char tag = record[pos++];
            switch (tag) {
                case '0':
                    hex_field(record, pos);
                    pos += 8;
                    break;
                case '1': case '2': case '7': case '8':
                    hex_field(record, pos);
                    break;
                case '3': case '4': case '5': case '6':
                    hex_field(record, pos);
                    pos += 6;
                    break;
                case '9':
                case 'A':
                    address = static_cast<uint16_t>(hex_field(record, pos) + (tag == 'A' ? kOrigin : 0));
                    break;
                case 'B':
                case 'C': {
                    unsigned v = hex_field(record, pos) + (tag == 'C' ? kOrigin : 0);
                    const uint16_t at = address & 0xFFFE;
                    memory[at] = static_cast<uint8_t>(v >> 8);
                    memory[static_cast<uint16_t>(at + 1)] = static_cast<uint8_t>(v);
                    address = static_cast<uint16_t>(address + 2);
                    break;
                }
                case 'F':
                    pos = record.size();
                    break;
                default:  // ":" ends the module
                    return;
            }
        }
    }
}

Memory load_with_linker(const std::string& object) {
    std::istringstream in;
    std::ostringstream out;
    platform::Console con{in, out, out};
    fell::MemoryFileSystem files;
    files.files["module.obj"] = object;
    auto s = std::make_unique<fell::LinkState>(con, files);
    fell::load_object_file(*s, "module.obj");
    Memory m;
    std::copy(s->image.bytes.begin(), s->image.bytes.end(), m.begin());
    return m;
}

// Rows of 16 bytes that hold anything but zeros.
std::string dump(const Memory& m) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (size_t row = 0; row < m.size(); row += 16) {
        if (std::all_of(m.begin() + row, m.begin() + row + 16, [](uint8_t b) { return b == 0; })) continue;
        for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(row >> shift) & 0xF];
        out += ':';
        for (size_t i = row; i < row + 16; ++i) {
            out += ' ';
            out += kHex[m[i] >> 4];
            out += kHex[m[i] & 0xF];
        }
        out += '\n';
    }
    return out;
}

class WordLoader : public testing::TestWithParam<std::string> {};

TEST_P(WordLoader, LoadsAsTheLinker) {
    const fs::path dir = kCases / GetParam();
    tarn_test::Workspace ws;
    platform::set_program_path("tarn");
    tarn_test::run_case(ws, dir);
    std::vector<fs::path> objects;
    for (const auto& e : fs::directory_iterator(ws.path()))
        if (e.path().extension() == ".obj" && !fs::exists(dir / e.path().filename())) objects.push_back(e.path());
    std::sort(objects.begin(), objects.end());
    if (objects.empty()) return;

    std::string images;
    for (const fs::path& file : objects) {
        const std::string object = testkit::read_bytes(file);
        if (object.empty() || object[0] != '0') continue;  // the compressed form
        const Memory linked = load_with_linker(object);
        Memory words{};
        load_words(object, words);
        EXPECT_EQ(dump(words), dump(linked)) << file.filename();
        images += "; " + file.filename().string() + "\n" + dump(linked);
    }
    EXPECT_EQ(testkit::check_golden(dir / "expected" / "memory.txt", images), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, WordLoader, testing::ValuesIn(testkit::list_cases(kCases)),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
