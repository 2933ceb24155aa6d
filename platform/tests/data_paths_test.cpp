#include "platform/data_paths.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/paths.hpp"
#include "testkit/testkit.hpp"

using namespace platform;
namespace fs = std::filesystem;

namespace {

// Makes the file unreadable; false where permissions do not stop this
// process (as root, or on a file system without them).
bool make_unreadable(const fs::path& file) {
    fs::permissions(file, fs::perms::none);
    return !std::ifstream(file);
}

}  // namespace

TEST(DataPaths, DataFileBesideTheProgramThenInstalled) {
    testkit::TempDir dir;
    fs::create_directories(dir / "bin");
    set_program_path((dir / "bin" / "dok").string());
    testkit::write_bytes(dir / "share" / "tms9900-toolchain" / "m.def", "installed");
    EXPECT_EQ(testkit::read_bytes(find_data_file("m.def")), "installed");
    testkit::write_bytes(dir / "bin" / "m.def", "beside");
    EXPECT_EQ(testkit::read_bytes(find_data_file("m.def")), "beside");

    // A folder of that name counts as no file, and so does a missing one.
    fs::create_directories(dir / "bin" / "d.def");
    testkit::write_bytes(dir / "share" / "tms9900-toolchain" / "d.def", "installed");
    EXPECT_EQ(testkit::read_bytes(find_data_file("d.def")), "installed");
    fs::create_directories(dir / "share" / "tms9900-toolchain" / "e.def");
    EXPECT_EQ(find_data_file("e.def"), "");
    EXPECT_EQ(find_data_file("none.def"), "");

    set_program_path("dok");  // no folder known
    EXPECT_EQ(find_data_file("m.def"), "");
    set_program_path("");
}

TEST(DataPaths, DataFileWithoutReadableDataFolder) {
    testkit::TempDir dir;
    fs::create_directories(dir / "bin");
    set_program_path((dir / "bin" / "dok").string());
    fs::path data = dir / "share" / "tms9900-toolchain";
    testkit::write_bytes(data / "m.def", "installed");
    fs::permissions(data, fs::perms::none);
    bool locked = !std::ifstream(data / "m.def");
    if (locked) {
        EXPECT_EQ(find_data_file("m.def"), "");
    }
    fs::permissions(data, fs::perms::owner_all);
    testkit::write_bytes(data / "u.def", "unreadable");
    if (make_unreadable(data / "u.def")) {
        EXPECT_EQ(find_data_file("u.def"), "");
    }
    set_program_path("");
}

TEST(DataPaths, ConfigFileBesideThenFirstReadableInTheFolders) {
    testkit::TempDir dir;
    std::string beside = (dir / "bin" / "tarn.ini").string();
    std::vector<std::string> folders = {(dir / "user").string(), (dir / "etc").string()};
    EXPECT_EQ(pick_config_file(beside, "tarn.ini", folders), beside);  // none anywhere

    testkit::write_bytes(dir / "etc" / "tarn.ini", "system");
    EXPECT_EQ(testkit::read_bytes(pick_config_file(beside, "tarn.ini", folders)), "system");
    fs::create_directories(dir / "user" / "tarn.ini");  // a folder is passed over
    EXPECT_EQ(testkit::read_bytes(pick_config_file(beside, "tarn.ini", folders)), "system");
    fs::remove(dir / "user" / "tarn.ini");
    testkit::write_bytes(dir / "user" / "tarn.ini", "user");
    EXPECT_EQ(testkit::read_bytes(pick_config_file(beside, "tarn.ini", folders)), "user");
    if (make_unreadable(dir / "user" / "tarn.ini")) {
        EXPECT_EQ(testkit::read_bytes(pick_config_file(beside, "tarn.ini", folders)), "system");
    }

    testkit::write_bytes(beside, "beside");
    EXPECT_EQ(pick_config_file(beside, "tarn.ini", folders), beside);
    if (make_unreadable(beside)) {
        EXPECT_EQ(testkit::read_bytes(pick_config_file(beside, "tarn.ini", folders)), "system");
    }
}

TEST(DataPaths, ConfigFileOfATestIsTheOneBesideTheProgram) {
    testkit::TempDir dir;
    set_program_path((dir / "tarn").string());
    EXPECT_TRUE(config_folders().empty());
    EXPECT_EQ(find_config_file(".ini"), (dir / "tarn.ini").string());
    set_program_path("");
}
