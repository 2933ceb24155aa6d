#include <gtest/gtest.h>

#include <map>

#include "machine/files/disk_header.hpp"
#include "machine/files/load_files.hpp"
#include "machine/files/program_file.hpp"

namespace {

using scree::LoadImage;
using scree::ProgramPiece;

std::string program(uint16_t flag, uint16_t length, uint16_t address, std::string_view data) {
    std::string s;
    for (uint16_t w : {flag, length, address}) {
        s += static_cast<char>(w >> 8);
        s += static_cast<char>(w);
    }
    return s + std::string(data);
}

// A disk header of that kind before content, padded to whole sectors.
std::string with_disk_header(bool tifiles, std::string content, uint8_t flags = 1) {
    std::string h(128, '\0');
    const size_t sectors = (content.size() + 255) / 256;
    if (tifiles) {
        h.replace(0, 8, "\x07TIFILES");
        h[8] = static_cast<char>(sectors >> 8), h[9] = static_cast<char>(sectors);
        h[10] = static_cast<char>(flags), h[12] = static_cast<char>(content.size() % 256);
    } else {
        h.replace(0, 10, "PROG      ");
        h[12] = static_cast<char>(flags);
        h[14] = static_cast<char>(sectors >> 8), h[15] = static_cast<char>(sectors);
        h[16] = static_cast<char>(content.size() % 256);
    }
    content.resize(sectors * 256);
    return h + content;
}

ProgramPiece parse(const std::string& file, std::string* reason = nullptr) {
    ProgramPiece p;
    std::string why;
    EXPECT_EQ(scree::parse_program_file(file, p, why), reason == nullptr) << why;
    if (reason) *reason = why;
    return p;
}

const std::string kData = "\x10\xFF\x12\x34\x56\x78";

TEST(ProgramFile, LengthWithOrWithoutTheHeaderLoadsTheBytesPresent) {
    EXPECT_EQ(parse(program(0, 6 + 6, 0xA000, kData)).data, kData);
    EXPECT_EQ(parse(program(0, 6, 0xA000, kData)).data, kData);
    // Bytes after the length (padding of a copied disk file) do not load.
    EXPECT_EQ(parse(program(0, 4, 0xA000, kData)).data, kData.substr(0, 4));
    const ProgramPiece p = parse(program(0xFFFF, 12, 0x2000, kData));
    EXPECT_EQ(p.flag, 0xFFFF);
    EXPECT_EQ(p.address, 0x2000);
}

TEST(ProgramFile, DiskHeadersGiveTheEndOfTheData) {
    for (bool tifiles : {true, false}) {
        // The sector padding would be taken for data without the header's count.
        EXPECT_EQ(parse(with_disk_header(tifiles, program(0, 6 + 6, 0xA000, kData))).data, kData);
        EXPECT_EQ(parse(with_disk_header(tifiles, program(0, 6, 0xA000, kData))).data, kData);
        std::string padded = program(0, 0x2000, 0xA000, std::string(0x1FFA, 'x'));
        EXPECT_EQ(parse(with_disk_header(tifiles, padded)).data.size(), 0x1FFAu);
    }
}

TEST(ProgramFile, BadFilesSayWhy) {
    std::string why;
    parse(program(0x5047, 12, 0xA000, kData), &why);
    EXPECT_NE(why.find(">5047"), std::string::npos) << why;
    parse(std::string("\0\0\0", 3), &why);
    EXPECT_NE(why.find("too short"), std::string::npos) << why;
    parse(program(0, 0x100, 0xA000, kData), &why);
    EXPECT_NE(why.find("fewer than"), std::string::npos) << why;
    parse(program(0, 12, 0xFFFC, kData), &why);
    EXPECT_NE(why.find("beyond >FFFF"), std::string::npos) << why;
    parse(with_disk_header(true, std::string(240, '0'), 0), &why);
    EXPECT_NE(why.find("DIS/FIX"), std::string::npos) << why;
    parse(with_disk_header(false, program(0, 12, 0xA000, kData)).substr(0, 130), &why);
    EXPECT_NE(why.find("before the"), std::string::npos) << why;
}

// Files in memory for load_files.
scree::FileReader reader(const std::map<std::string, std::string>& files) {
    return [files](const std::string& name, std::string& data) {
        const auto it = files.find(name);
        if (it == files.end()) return scree::ReadResult::Missing;
        data = it->second;
        return scree::ReadResult::Ok;
    };
}

TEST(LoadFiles, AChainLoadsEveryFileAndStartsAtTheFirst) {
    scree::LoadedProgram p;
    std::string error;
    const auto read = reader({{"P1", program(0xFFFF, 10, 0xA000, "\x10\xFF\x11\x11")},
                              {"P2", program(0, 10, 0x2000, "\x22\x22\x33\x33")}});
    ASSERT_TRUE(scree::load_files({"P1"}, {}, read, p, error)) << error;
    EXPECT_EQ(p.entry, 0xA000);
    EXPECT_EQ(p.image.word(0xA002), 0x1111);
    EXPECT_EQ(p.image.word(0x2002), 0x3333);
    EXPECT_EQ(p.image.blocks().size(), 2u);
}

TEST(LoadFiles, AMissingChainFileIsNamed) {
    scree::LoadedProgram p;
    std::string error;
    EXPECT_FALSE(scree::load_files({"P1"}, {}, reader({{"P1", program(0xFFFF, 10, 0xA000, "abcd")}}), p, error));
    EXPECT_EQ(error, "P2: does not exist; P1 asks for it as the next file of its chain");
}

TEST(LoadFiles, NothingLoadsWhereThereIsNoRam) {
    for (uint16_t address : {0x0000, 0x1FFE, 0x4000, 0x6000, 0x8400, 0x9FFE}) {
        scree::LoadedProgram p;
        std::string error;
        EXPECT_FALSE(scree::load_files({"P"}, {}, reader({{"P", program(0, 8, address, "ab")}}), p, error));
        EXPECT_NE(error.find("no RAM"), std::string::npos) << error;
    }
    scree::LoadedProgram p;
    std::string error;
    EXPECT_TRUE(scree::load_files({"P"}, {}, reader({{"P", program(0, 8, 0x83FE, "ab")}}), p, error)) << error;
}

TEST(DiskHeader, ObjectFilesAreNotTakenForV9t9Headers) {
    std::string object = "00000        9A000B10FF7FBA0F";
    object.resize(128, ' ');
    EXPECT_FALSE(scree::read_disk_header(object));
    std::string named = with_disk_header(false, program(0, 8, 0xA000, "ab"));
    ASSERT_TRUE(scree::read_disk_header(named));
    EXPECT_EQ(scree::read_disk_header(named)->kind, scree::DiskHeader::Kind::V9t9);
}

}  // namespace
