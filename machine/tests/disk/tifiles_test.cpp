// TIFILES files written and read field by field, plain text files as
// DIS/VAR records, and the rule for which files are written as text.
#include <gtest/gtest.h>

#include "machine/disk/tifiles.hpp"

namespace {

using scree::DiskFile;

uint8_t byte(const std::string& s, size_t i) { return static_cast<uint8_t>(s.at(i)); }

DiskFile data_file(bool internal, bool variable, uint8_t length, std::vector<std::string> records) {
    DiskFile f;
    f.type.internal = internal;
    f.type.variable = variable;
    f.type.record_length = length;
    f.records = std::move(records);
    return f;
}

// Decodes what encode_tifiles wrote, through the header reader the
// program loader uses.
DiskFile decode(const std::string& bytes) {
    const auto header = scree::read_disk_header(bytes);
    EXPECT_TRUE(header);
    DiskFile f;
    EXPECT_TRUE(scree::decode_with_header(*header, std::string_view(bytes).substr(128), f));
    return f;
}

void expect_zero_from(const std::string& s, size_t first, size_t last) {
    for (size_t i = first; i < last; ++i) ASSERT_EQ(byte(s, i), 0) << "byte " << i;
}

TEST(Tifiles, FixedRecordsPackWholeRecordsIntoSectors) {
    std::vector<std::string> records;
    for (char c = 'A'; c < 'A' + 7; ++c) records.push_back(std::string(80, c));
    const std::string f = scree::encode_tifiles(data_file(false, false, 80, records));
    ASSERT_EQ(f.size(), 128u + 3 * 256);
    EXPECT_EQ(f.substr(0, 8), "\x07TIFILES");
    EXPECT_EQ(byte(f, 8) << 8 | byte(f, 9), 3) << "sectors";
    EXPECT_EQ(byte(f, 10), 0x00) << "flags: DIS/FIX";
    EXPECT_EQ(byte(f, 11), 3) << "records per sector";
    EXPECT_EQ(byte(f, 12), 0) << "end-of-file offset";
    EXPECT_EQ(byte(f, 13), 80) << "record length";
    EXPECT_EQ(byte(f, 14), 7) << "level-3 records, low byte first";
    EXPECT_EQ(byte(f, 15), 0);
    expect_zero_from(f, 16, 128);
    EXPECT_EQ(f.substr(128 + 256, 80), std::string(80, 'D')) << "the fourth record starts the second sector";
    expect_zero_from(f, 128 + 240, 128 + 256);
    EXPECT_EQ(decode(f).records, records);
}

TEST(Tifiles, LevelThreeCountIsLowByteFirstAndInternalSetsItsFlag) {
    const std::vector<std::string> records(300, std::string(10, 'x'));
    const std::string f = scree::encode_tifiles(data_file(true, false, 10, records));
    EXPECT_EQ(byte(f, 10), 0x02) << "INT/FIX";
    EXPECT_EQ(byte(f, 11), 25);
    EXPECT_EQ(byte(f, 8) << 8 | byte(f, 9), 12);
    EXPECT_EQ(byte(f, 14), 0x2C);
    EXPECT_EQ(byte(f, 15), 0x01);
    const DiskFile back = decode(f);
    EXPECT_TRUE(back.type.internal);
    EXPECT_FALSE(back.type.variable);
    EXPECT_EQ(back.records, records);
}

// Variable records: a length byte each, no record across a sector, >FF
// after a sector's last record; the level-3 count is the sectors.
TEST(Tifiles, VariableRecordsEndEachSectorWithAMark) {
    const std::vector<std::string> records{std::string(100, 'a'), std::string(100, 'b'), std::string(60, 'c'), "",
                                           "dd"};
    const std::string f = scree::encode_tifiles(data_file(false, true, 254, records));
    ASSERT_EQ(f.size(), 128u + 2 * 256);
    EXPECT_EQ(byte(f, 8) << 8 | byte(f, 9), 2);
    EXPECT_EQ(byte(f, 10), 0x80) << "DIS/VAR";
    EXPECT_EQ(byte(f, 11), 1) << "records per sector: 256 / 255";
    EXPECT_EQ(byte(f, 13), 254);
    EXPECT_EQ(byte(f, 14), 2) << "level-3: sectors";
    const size_t s0 = 128, s1 = 128 + 256;
    EXPECT_EQ(byte(f, s0), 100);
    EXPECT_EQ(byte(f, s0 + 101), 100);
    EXPECT_EQ(byte(f, s0 + 202), 0xFF) << "c (61 bytes) does not fit before the mark";
    EXPECT_EQ(byte(f, s1), 60);
    EXPECT_EQ(byte(f, s1 + 61), 0);
    EXPECT_EQ(byte(f, s1 + 62), 2);
    EXPECT_EQ(f.substr(s1 + 63, 2), "dd");
    EXPECT_EQ(byte(f, s1 + 65), 0xFF);
    EXPECT_EQ(byte(f, 12), 65) << "end-of-file offset: the last sector's mark";
    EXPECT_EQ(decode(f).records, records);

    const std::string empty = scree::encode_tifiles(data_file(true, true, 80, {}));
    EXPECT_EQ(empty.size(), 128u);
    EXPECT_EQ(byte(empty, 10), 0x82) << "INT/VAR";
    EXPECT_EQ(byte(empty, 11), 3);
    EXPECT_TRUE(decode(empty).records.empty());
}

TEST(Tifiles, ProgramFilesKeepTheirBytesAndProtection) {
    DiskFile p;
    p.type.program = true;
    p.type.protect = true;
    p.program = std::string(300, '\x5A');
    const std::string f = scree::encode_tifiles(p);
    ASSERT_EQ(f.size(), 128u + 512);
    EXPECT_EQ(byte(f, 9), 2);
    EXPECT_EQ(byte(f, 10), 0x09) << "program, protected";
    EXPECT_EQ(byte(f, 11), 0);
    EXPECT_EQ(byte(f, 12), 300 % 256);
    EXPECT_EQ(byte(f, 13), 0);
    EXPECT_EQ(byte(f, 14), 0);
    const DiskFile back = decode(f);
    EXPECT_TRUE(back.type.program);
    EXPECT_TRUE(back.type.protect);
    EXPECT_EQ(back.program, p.program);
}

// A V9T9 file descriptor record has the same fields at other offsets.
TEST(Tifiles, V9t9HeadersAreReadToo) {
    std::string f(128 + 256, '\0');
    f.replace(0, 10, "DATA      ");
    f[12] = '\x80';  // DIS/VAR
    f[13] = 3;
    f[15] = 1;
    f[16] = 7;
    f[17] = 80;
    f[18] = 1;
    f.replace(128, 8, "\x02HI\x03YOU\xFF");
    EXPECT_EQ(decode(f).records, (std::vector<std::string>{"HI", "YOU"}));
}

TEST(Tifiles, SectorsThatDoNotHoldWhatTheHeaderSaysAreRefused) {
    const std::string good = scree::encode_tifiles(data_file(false, true, 80, {"ABC"}));
    const auto refused = [](std::string f) {
        DiskFile out;
        const auto h = scree::read_disk_header(f);
        return h && !scree::decode_with_header(*h, std::string_view(f).substr(128), out);
    };
    std::string across = good;
    across[128 + 4] = '\xFE';  // a record running past the sector's end
    across[12] = 0;
    EXPECT_TRUE(refused(across));
    EXPECT_TRUE(refused(good.substr(0, 128 + 2))) << "shorter than the header says";
    std::string too_many = scree::encode_tifiles(data_file(false, false, 128, {"x", "y"}));
    too_many[14] = 3;  // 3 records in one sector of 2
    EXPECT_TRUE(refused(too_many));
    std::string no_length = good;
    no_length[13] = 0;
    EXPECT_TRUE(refused(no_length));
}

TEST(Tifiles, TextLinesAreVariableRecordsCutAtTheRecordLength) {
    EXPECT_EQ(scree::text_records("ONE\r\nTWO\n\nLAST", 80), (std::vector<std::string>{"ONE", "TWO", "", "LAST"}));
    EXPECT_EQ(scree::text_records("ABCDEFG\r\n", 3), (std::vector<std::string>{"ABC", "DEF", "G"}));
    EXPECT_EQ(scree::text_records(std::string(81, 'x'), 0).size(), 2u) << "0: 80";
    EXPECT_TRUE(scree::text_records("", 80).empty());
    EXPECT_EQ(scree::encode_text({"A", "", "B C"}), "A\r\n\r\nB C\r\n");
}

TEST(Tifiles, OnlyDisplayVariableFilesNamedTxtOrLogAreWrittenAsText) {
    const DiskFile dv = data_file(false, true, 80, {"LINE"});
    EXPECT_TRUE(scree::written_as_text("RESULTS.TXT", dv));
    EXPECT_TRUE(scree::written_as_text("run.log", dv));
    EXPECT_FALSE(scree::written_as_text("RESULTS", dv));
    EXPECT_FALSE(scree::written_as_text("TXT", dv));
    EXPECT_FALSE(scree::written_as_text("A.TXT", data_file(true, true, 80, {})));
    EXPECT_FALSE(scree::written_as_text("A.TXT", data_file(false, false, 80, {})));
    EXPECT_FALSE(scree::written_as_text("A.TXT", data_file(false, true, 80, {"CR\rIN IT"})))
        << "a record that text lines would not give back";
}

}  // namespace
