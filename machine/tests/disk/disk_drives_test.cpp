// The disk drives as the card's DSR hands them PABs: every opcode, the
// open modes and record kinds, and the error codes, on a host folder.
#include <filesystem>

#include <gtest/gtest.h>

#include "machine/disk/disk_drives.hpp"
#include "machine/disk/tifiles.hpp"
#include "testkit/testkit.hpp"

namespace {

using scree::IoError;
using scree::PabOpcode;

// Flag byte bits.
constexpr uint8_t kRelative = 0x01, kOutput = 0x02, kInput = 0x04, kAppend = 0x06, kInt = 0x08, kVariable = 0x10;
constexpr uint16_t kBuffer = 0x1000;

class Drive : public ::testing::Test {
protected:
    Drive() : drives_(folders()) {}

    scree::DriveFolders folders() const {
        scree::DriveFolders f;
        f[0] = dir_.path().string();
        return f;
    }

    // A PAB for file on DSK1 with the flag byte, record length and record number.
    scree::Pab pab(uint8_t flags, uint8_t length = 0, uint16_t record = 0) {
        scree::Pab p;
        p.flags = flags;
        p.buffer = kBuffer;
        p.record_length = length;
        p.record = record;
        return p;
    }

    IoError op(PabOpcode opcode, const std::string& file, scree::Pab& p) {
        p.opcode = static_cast<uint8_t>(opcode);
        return drives_.serve(1, file, p, vram_);
    }
    IoError write(const std::string& file, scree::Pab& p, const std::string& data) {
        scree::write_vram(vram_, kBuffer, data);
        p.char_count = static_cast<uint8_t>(data.size());
        return op(PabOpcode::Write, file, p);
    }
    // READ: the record as the buffer and character count give it.
    std::string read(const std::string& file, scree::Pab& p, IoError expect = IoError::None) {
        EXPECT_EQ(op(PabOpcode::Read, file, p), expect);
        return scree::read_vram(vram_, kBuffer, p.char_count);
    }
    // OPEN, WRITE each record, CLOSE.
    void write_file(const std::string& file, uint8_t flags, uint8_t length, const std::vector<std::string>& records) {
        scree::Pab p = pab(flags, length);
        ASSERT_EQ(op(PabOpcode::Open, file, p), IoError::None);
        for (const std::string& r : records) ASSERT_EQ(write(file, p, r), IoError::None);
        ASSERT_EQ(op(PabOpcode::Close, file, p), IoError::None);
    }
    std::vector<std::string> read_file(const std::string& file, uint8_t flags, uint8_t length = 0) {
        scree::Pab p = pab(flags | kInput, length);
        EXPECT_EQ(op(PabOpcode::Open, file, p), IoError::None);
        std::vector<std::string> records;
        for (;;) {
            p.opcode = static_cast<uint8_t>(PabOpcode::Read);
            if (drives_.serve(1, file, p, vram_) != IoError::None) break;
            records.push_back(scree::read_vram(vram_, kBuffer, p.char_count));
        }
        EXPECT_EQ(op(PabOpcode::Close, file, p), IoError::None);
        return records;
    }
    std::string host(const std::string& name) const { return testkit::read_bytes(dir_ / name); }
    void put_host(const std::string& name, const std::string& bytes) const { testkit::write_bytes(dir_ / name, bytes); }

    testkit::TempDir dir_;
    scree::DiskDrives drives_;
    scree::Vram vram_{};
};

TEST_F(Drive, DisplayVariableTxtFilesAreTextLinesAndReadBack) {
    write_file("RESULTS.TXT", kOutput | kVariable, 0, {"FIRST LINE", "", "THIRD"});
    EXPECT_EQ(host("RESULTS.TXT"), "FIRST LINE\r\n\r\nTHIRD\r\n");
    EXPECT_EQ(read_file("results.txt", kVariable), (std::vector<std::string>{"FIRST LINE", "", "THIRD"}));
    write_file("RESULTS.TXT", kAppend | kVariable, 80, {"FOURTH"});
    EXPECT_EQ(host("RESULTS.TXT"), "FIRST LINE\r\n\r\nTHIRD\r\nFOURTH\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1) << "one file, found ignoring case";
}

TEST_F(Drive, OtherFilesAreTifilesAndKeepTheirRecords) {
    write_file("FIXED", kOutput, 32, {std::string(32, 'F'), std::string(32, 'G')});
    write_file("INTVAR", kOutput | kInt | kVariable, 100, {std::string("\x03" "ABC", 4), ""});
    write_file("LINES", kOutput | kVariable, 80, {"NOT TEXT: NO .TXT"});
    EXPECT_EQ(host("FIXED").substr(0, 8), "\x07TIFILES");
    EXPECT_EQ(host("FIXED").size(), 128u + 256);
    EXPECT_EQ(static_cast<uint8_t>(host("INTVAR")[10]), 0x82);
    EXPECT_EQ(host("LINES").substr(0, 8), "\x07TIFILES");
    EXPECT_EQ(read_file("FIXED", 0, 32), (std::vector<std::string>{std::string(32, 'F'), std::string(32, 'G')}));
    EXPECT_EQ(read_file("INTVAR", kInt | kVariable), (std::vector<std::string>{std::string("\x03" "ABC", 4), ""}));
}

TEST_F(Drive, ARecordLengthOfZeroTakesTheDefaultOrTheFilesOwn) {
    scree::Pab p = pab(kOutput | kVariable);
    ASSERT_EQ(op(PabOpcode::Open, "A", p), IoError::None);
    EXPECT_EQ(p.record_length, 80);
    ASSERT_EQ(op(PabOpcode::Close, "A", p), IoError::None);
    write_file("B", kOutput, 17, {"12345678901234567"});
    scree::Pab q = pab(kInput);
    ASSERT_EQ(op(PabOpcode::Open, "B", q), IoError::None);
    EXPECT_EQ(q.record_length, 17);
}

TEST_F(Drive, MissingFilesAndFilesNotOpenGiveFileError) {
    scree::Pab p = pab(kInput | kVariable);
    EXPECT_EQ(op(PabOpcode::Open, "NONE", p), IoError::FileError);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "NONE"));
    EXPECT_EQ(op(PabOpcode::Read, "NONE", p), IoError::FileError);
    EXPECT_EQ(op(PabOpcode::Close, "NONE", p), IoError::FileError);
    EXPECT_EQ(op(PabOpcode::Delete, "NONE", p), IoError::FileError);
    p.record = 0x2000;
    EXPECT_EQ(op(PabOpcode::Load, "NONE", p), IoError::FileError);
    for (const char* bad : {"", "..", "A/B", "A\\B", "C:X", "A*", "TRAILING.", "TAB\t"})
        EXPECT_EQ(op(PabOpcode::Open, bad, p), IoError::FileError) << bad;
}

TEST_F(Drive, OperationsTheModeForbidsAreIllegal) {
    scree::Pab out = pab(kOutput | kVariable);
    ASSERT_EQ(op(PabOpcode::Open, "LOG", out), IoError::None);
    read("LOG", out, IoError::IllegalOperation);
    EXPECT_EQ(op(PabOpcode::Restore, "LOG", out), IoError::IllegalOperation);
    EXPECT_EQ(op(PabOpcode::Scratch, "LOG", out), IoError::IllegalOperation);
    ASSERT_EQ(op(PabOpcode::Close, "LOG", out), IoError::None);
    scree::Pab in = pab(kInput | kVariable);
    ASSERT_EQ(op(PabOpcode::Open, "LOG", in), IoError::None);
    EXPECT_EQ(write("LOG", in, "NO"), IoError::IllegalOperation);
}

TEST_F(Drive, ARecordLongerThanTheRecordLengthDoesNotFit) {
    write_file("V", kOutput | kVariable, 10, {"0123456789"});
    scree::Pab p = pab(kAppend | kVariable, 10);
    ASSERT_EQ(op(PabOpcode::Open, "V", p), IoError::None);
    EXPECT_EQ(write("V", p, "0123456789A"), IoError::NoSpace);
    ASSERT_EQ(op(PabOpcode::Close, "V", p), IoError::None);
    EXPECT_EQ(read_file("V", kVariable), (std::vector<std::string>{"0123456789"}));
}

TEST_F(Drive, AttributesThatDoNotFitTheFileAreRefused) {
    write_file("D", kOutput, 80, {"x"});
    const struct {
        uint8_t flags, length;
    } bad[] = {
        {kInput | kInt, 0},         // INTERNAL, the file is DISPLAY
        {kInput | kVariable, 0},         // VARIABLE, the file is FIXED
        {kInput, 60},                    // another record length
        {kRelative | kVariable, 80},     // relative files are fixed
        {kAppend, 80},                   // appending needs variable records
        {kOutput | kVariable, 255},      // a length byte of >FF ends a sector
    };
    for (const auto& b : bad) {
        scree::Pab p = pab(b.flags, b.length);
        EXPECT_EQ(op(PabOpcode::Open, "D", p), IoError::BadAttribute) << int(b.flags) << ' ' << int(b.length);
    }
    scree::Pab text = pab(kInput);
    put_host("NOTES", "plain text\n");
    EXPECT_EQ(op(PabOpcode::Open, "NOTES", text), IoError::BadAttribute) << "text is DIS/VAR";
}

TEST_F(Drive, ProgramAndDataFilesDoNotMix) {
    scree::write_vram(vram_, kBuffer, "PROGRAM BYTES");
    scree::Pab save = pab(0, 0, 13);
    ASSERT_EQ(op(PabOpcode::Save, "PROG", save), IoError::None);
    scree::Pab open = pab(kInput | kVariable);
    EXPECT_EQ(op(PabOpcode::Open, "PROG", open), IoError::FileError);
    write_file("DATA", kOutput, 80, {"x"});
    scree::Pab load = pab(0, 0, 0x1000);
    EXPECT_EQ(op(PabOpcode::Load, "DATA", load), IoError::FileError);
}

TEST_F(Drive, SaveAndLoadProgramFiles) {
    std::string image(300, '\0');
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 7);
    scree::write_vram(vram_, kBuffer, image);
    scree::Pab save = pab(0, 0, 300);
    ASSERT_EQ(op(PabOpcode::Save, "IMAGE", save), IoError::None);
    const std::string f = host("IMAGE");
    EXPECT_EQ(f.size(), 128u + 512);
    EXPECT_EQ(static_cast<uint8_t>(f[10]), 0x01);
    EXPECT_EQ(static_cast<uint8_t>(f[12]), 44);
    scree::Pab load = pab(0, 0, 299);
    load.buffer = 0x2000;
    EXPECT_EQ(op(PabOpcode::Load, "image", load), IoError::NoSpace) << "more bytes than the PAB allows";
    load.record = 300;
    ASSERT_EQ(op(PabOpcode::Load, "image", load), IoError::None);
    EXPECT_EQ(scree::read_vram(vram_, 0x2000, 300), image);
    put_host("RAW", std::string("\xFF\xFF\x00\x06\xA0\x00", 6));  // a memory image without header, as fell writes it with .H-
    load.record = 100;
    ASSERT_EQ(op(PabOpcode::Load, "RAW", load), IoError::None);
    EXPECT_EQ(scree::read_vram(vram_, 0x2000, 6), std::string("\xFF\xFF\x00\x06\xA0\x00", 6));
}

TEST_F(Drive, ProtectedFilesAreNotReplacedOrDeleted) {
    scree::DiskFile f;
    f.type.variable = true;
    f.type.protect = true;
    f.type.record_length = 80;
    f.records = {"KEEP"};
    const std::string bytes = scree::encode_tifiles(f);
    put_host("SAFE", bytes);
    put_host("READONLY.TXT", "MINE\r\n");
    std::filesystem::permissions(dir_ / "READONLY.TXT", std::filesystem::perms::owner_read);
    for (const char* name : {"SAFE", "READONLY.TXT"}) {
        scree::Pab p = pab(kOutput | kVariable);
        EXPECT_EQ(op(PabOpcode::Open, name, p), IoError::WriteProtected) << name;
        p = pab(kAppend | kVariable);
        EXPECT_EQ(op(PabOpcode::Open, name, p), IoError::WriteProtected) << name;
        EXPECT_EQ(op(PabOpcode::Delete, name, p), IoError::WriteProtected) << name;
        p.record = 4;
        EXPECT_EQ(op(PabOpcode::Save, name, p), IoError::WriteProtected) << name;
        p = pab(kInput | kVariable);
        EXPECT_EQ(op(PabOpcode::Status, name, p), IoError::None);
        EXPECT_EQ(p.status, scree::file_status::kProtected | scree::file_status::kVariable) << name;
    }
    EXPECT_EQ(read_file("SAFE", kVariable), std::vector<std::string>{"KEEP"});
    EXPECT_EQ(host("SAFE"), bytes);
    EXPECT_EQ(host("READONLY.TXT"), "MINE\r\n");
    std::filesystem::permissions(dir_ / "READONLY.TXT", std::filesystem::perms::owner_all);
}

TEST_F(Drive, ReadingPastTheEndGivesErrorFive) {
    write_file("TWO", kOutput | kVariable, 80, {"1", "2"});
    scree::Pab p = pab(kInput | kVariable);
    ASSERT_EQ(op(PabOpcode::Open, "TWO", p), IoError::None);
    EXPECT_EQ(read("TWO", p), "1");
    EXPECT_EQ(read("TWO", p), "2");
    read("TWO", p, IoError::PastEnd);
    read("TWO", p, IoError::PastEnd);
    ASSERT_EQ(op(PabOpcode::Restore, "TWO", p), IoError::None);
    EXPECT_EQ(read("TWO", p), "1") << "RESTORE: from the start";
}

// Relative files: the record number picks the record and moves on by one
// after each READ or WRITE; records never written read as zeros.
TEST_F(Drive, RelativeFilesReadAndWriteByRecordNumber) {
    scree::Pab p = pab(kRelative, 10, 3);
    ASSERT_EQ(op(PabOpcode::Open, "REL", p), IoError::None);
    ASSERT_EQ(write("REL", p, "RECORD 3.."), IoError::None);
    EXPECT_EQ(p.record, 4);
    p.record = 1;
    ASSERT_EQ(write("REL", p, "RECORD 1.."), IoError::None);
    ASSERT_EQ(write("REL", p, "RECORD 2.."), IoError::None);
    p.record = 2;
    EXPECT_EQ(read("REL", p), "RECORD 2..");
    EXPECT_EQ(p.record, 3);
    EXPECT_EQ(read("REL", p), "RECORD 3..");
    read("REL", p, IoError::PastEnd);
    p.record = 0;
    EXPECT_EQ(read("REL", p), std::string(10, '\0'));
    ASSERT_EQ(op(PabOpcode::Close, "REL", p), IoError::None);
    EXPECT_EQ(static_cast<uint8_t>(host("REL")[14]), 4) << "four records";
    EXPECT_EQ(read_file("REL", kRelative, 10)[1], "RECORD 1..");
}

TEST_F(Drive, UpdateReplacesRecordsAndAppendAddsThem) {
    write_file("U", kOutput, 4, {"AAAA", "BBBB", "CCCC"});
    scree::Pab p = pab(0, 4);  // UPDATE, sequential
    ASSERT_EQ(op(PabOpcode::Open, "U", p), IoError::None);
    EXPECT_EQ(read("U", p), "AAAA");
    ASSERT_EQ(write("U", p, "bbbb"), IoError::None);
    ASSERT_EQ(op(PabOpcode::Close, "U", p), IoError::None);
    EXPECT_EQ(read_file("U", 0, 4), (std::vector<std::string>{"AAAA", "bbbb", "CCCC"}));
    write_file("NEW.LOG", kVariable, 80, {"UPDATE CREATES"});
    EXPECT_EQ(host("NEW.LOG"), "UPDATE CREATES\r\n");
}

TEST_F(Drive, StatusTellsTheFileKindAndTheEnd) {
    using scree::file_status::kEndOfFile, scree::file_status::kInternal, scree::file_status::kMissing,
        scree::file_status::kProgram;
    write_file("INT", kOutput | kInt, 20, {"x"});
    scree::Pab p = pab(kInput);
    ASSERT_EQ(op(PabOpcode::Status, "NOFILE", p), IoError::None);
    EXPECT_EQ(p.status, kMissing);
    ASSERT_EQ(op(PabOpcode::Status, "INT", p), IoError::None);
    EXPECT_EQ(p.status, kInternal);
    scree::Pab in = pab(kInput | kInt);
    ASSERT_EQ(op(PabOpcode::Open, "INT", in), IoError::None);
    ASSERT_EQ(op(PabOpcode::Status, "INT", in), IoError::None);
    EXPECT_EQ(in.status, kInternal);
    read("INT", in);
    ASSERT_EQ(op(PabOpcode::Status, "INT", in), IoError::None);
    EXPECT_EQ(in.status, kInternal | kEndOfFile);
    scree::Pab save = pab(0, 0, 2);
    ASSERT_EQ(op(PabOpcode::Save, "PROG", save), IoError::None);
    ASSERT_EQ(op(PabOpcode::Status, "PROG", p), IoError::None);
    EXPECT_EQ(p.status, kProgram);
}

TEST_F(Drive, TheOpenFileTableHoldsSixteenFiles) {
    for (int i = 0; i < 16; ++i) {
        scree::Pab p = pab(kOutput | kVariable);
        ASSERT_EQ(op(PabOpcode::Open, "F" + std::to_string(i), p), IoError::None);
    }
    scree::Pab p = pab(kOutput | kVariable);
    EXPECT_EQ(op(PabOpcode::Open, "ONE.MORE", p), IoError::NoSpace);
    EXPECT_EQ(op(PabOpcode::Open, "F3", p), IoError::None) << "opening an open file again";
    EXPECT_TRUE(drives_.close_all().empty());
    EXPECT_TRUE(std::filesystem::exists(dir_ / "F15"));
}

TEST_F(Drive, DeleteRemovesTheFile) {
    write_file("GONE", kOutput, 80, {"x"});
    scree::Pab p = pab(0);
    ASSERT_EQ(op(PabOpcode::Delete, "gone", p), IoError::None);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "GONE"));
}

// A file is written as a whole at CLOSE or at the end of the run: the old
// one stays until then, and a write that fails says so.
TEST_F(Drive, FilesAreWrittenWholeAtCloseOrAtTheEnd) {
    put_host("OLD.TXT", "BEFORE\r\n");
    scree::Pab p = pab(kOutput | kVariable);
    ASSERT_EQ(op(PabOpcode::Open, "OLD.TXT", p), IoError::None);
    ASSERT_EQ(write("OLD.TXT", p, "AFTER"), IoError::None);
    EXPECT_EQ(host("OLD.TXT"), "BEFORE\r\n");
    EXPECT_TRUE(drives_.close_all().empty());
    EXPECT_EQ(host("OLD.TXT"), "AFTER\r\n");

    scree::Pab q = pab(kOutput | kVariable);
    ASSERT_EQ(op(PabOpcode::Open, "LOST", q), IoError::None);
    std::filesystem::create_directory(dir_ / "LOST");  // a folder now has the name
    EXPECT_EQ(op(PabOpcode::Close, "LOST", q), IoError::DeviceError);
    ASSERT_EQ(op(PabOpcode::Open, "LOST2", q), IoError::None);
    std::filesystem::create_directory(dir_ / "LOST2");
    EXPECT_EQ(drives_.close_all(), std::vector<std::string>{"DSK1.LOST2"});
}

TEST_F(Drive, PlainTextReadsAsDisplayVariableRecordsOfTheLengthAsked) {
    put_host("Notes.Txt", "SHORT\n" + std::string(100, 'L') + "\r\nEND");
    EXPECT_EQ(read_file("NOTES.TXT", kVariable),
              (std::vector<std::string>{"SHORT", std::string(80, 'L'), std::string(20, 'L'), "END"}));
    EXPECT_EQ(read_file("NOTES.TXT", kVariable, 120).size(), 3u);
    scree::Pab p = pab(0 | kVariable);
    ASSERT_EQ(op(PabOpcode::Open, "NOTES.TXT", p), IoError::None);
    ASSERT_EQ(op(PabOpcode::Close, "NOTES.TXT", p), IoError::None);
    EXPECT_EQ(host("Notes.Txt"), "SHORT\n" + std::string(100, 'L') + "\r\nEND") << "unchanged: not written again";
}

TEST_F(Drive, AFileNeedingMoreSectorsThanTheHeaderCountsIsRefused) {
    scree::Pab p = pab(kRelative, 255, 0xFFFF);  // one record a sector: record >FFFF is sector >10000
    ASSERT_EQ(op(PabOpcode::Open, "BIG", p), IoError::None);
    EXPECT_EQ(write("BIG", p, std::string(255, 'x')), IoError::NoSpace);
    p.record = 0xFFFE;
    EXPECT_EQ(write("BIG", p, std::string(255, 'x')), IoError::None);
}

}  // namespace
