// Every file operation of a run is made to fail in turn, and the run is also
// cut short at every operation as if the process were killed. The user's file
// must come out either untouched or completely edited, never anything else.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <set>
#include <sstream>

#include "findreplace/morfex.hpp"
#include "findreplace/piece_editor.hpp"
#include "testkit/testkit.hpp"

namespace {

namespace fs = std::filesystem;
using morfex::FileInfo;
using morfex::FileSystem;

enum Op { kStatPath, kStatFd, kOpenRead, kCreate, kOpenWrite, kRead, kWrite, kAdopt, kSync, kClose, kLink, kRename,
          kRemove, kSyncDir, kOpCount };
constexpr std::array<const char*, kOpCount> kOpNames{"stat", "fstat", "open_read", "create", "open_write", "read",
                                                     "write", "adopt", "sync", "close", "link", "rename", "remove",
                                                     "sync_dir"};
constexpr std::array<int, kOpCount> kErrors{EACCES, EIO, EACCES, EACCES, EACCES, EIO, ENOSPC, EPERM, EIO, EIO,
                                            EPERM, EACCES, EBUSY, EIO};

struct Killed {};

// The host file system with one operation made to fail or to end the run.
class FaultyFileSystem : public FileSystem {
public:
    Op fail_op = kOpCount;
    int fail_at = -1;
    bool kill = false;      // throw Killed instead of returning an error
    bool no_links = false;  // every link fails, as on file systems without them
    std::array<int, kOpCount> calls{};
    std::set<int> open_fds;

    ~FaultyFileSystem() override {
        for (int fd : open_fds) real_.close(fd);
    }

    int stat(const std::string& p, FileInfo& i) override { return hit(kStatPath) ? err(kStatPath) : real_.stat(p, i); }
    int stat(int fd, FileInfo& i) override { return hit(kStatFd) ? err(kStatFd) : real_.stat(fd, i); }
    int open_read(const std::string& p, int& fd) override {
        return hit(kOpenRead) ? err(kOpenRead) : track(real_.open_read(p, fd), fd);
    }
    int create(const std::string& p, unsigned mode, int& fd) override {
        return hit(kCreate) ? err(kCreate) : track(real_.create(p, mode, fd), fd);
    }
    int open_write(const std::string& p, int& fd) override {
        return hit(kOpenWrite) ? err(kOpenWrite) : track(real_.open_write(p, fd), fd);
    }
    int read(int fd, char* b, size_t n, size_t& got) override { return hit(kRead) ? err(kRead) : real_.read(fd, b, n, got); }
    int write(int fd, const char* d, size_t n) override {
        if (!hit(kWrite)) return real_.write(fd, d, n);
        real_.write(fd, d, n / 2);  // a disk that fills up half way
        return err(kWrite);
    }
    int adopt_attributes(int fd, const FileInfo& like) override {
        return hit(kAdopt) ? err(kAdopt) : real_.adopt_attributes(fd, like);
    }
    int sync(int fd) override { return hit(kSync) ? err(kSync) : real_.sync(fd); }
    int close(int fd) override {
        if (hit(kClose)) {
            real_.close(fd);  // the descriptor is gone even when close reports an error
            open_fds.erase(fd);
            return err(kClose);
        }
        open_fds.erase(fd);
        return real_.close(fd);
    }
    int link(const std::string& a, const std::string& b) override {
        if (hit(kLink)) return err(kLink);
        return no_links ? EPERM : real_.link(a, b);
    }
    int rename(const std::string& a, const std::string& b) override {
        return hit(kRename) ? err(kRename) : real_.rename(a, b);
    }
    int remove(const std::string& p) override { return hit(kRemove) ? err(kRemove) : real_.remove(p); }
    int sync_directory(const std::string& d) override { return hit(kSyncDir) ? err(kSyncDir) : real_.sync_directory(d); }
    std::string real_path(const std::string& p) override { return real_.real_path(p); }

private:
    bool hit(Op op) {
        bool now = op == fail_op && calls[op] == fail_at;
        ++calls[op];
        if (now && kill) throw Killed{};
        return now;
    }
    int err(Op op) const { return kErrors[op]; }
    int track(int rc, int fd) {
        if (rc == 0) open_fds.insert(fd);
        return rc;
    }

    FileSystem& real_ = morfex::host_file_system();
};

struct Scenario {
    const char* name;
    bool to_output;  // -o out.txt instead of in place
    bool no_links;
};

struct RunResult {
    int code = -1;
    std::string out;
    bool killed = false;
};

std::string original_text() {
    std::string text;
    for (int i = 0; text.size() < 2'500'000; ++i) text += "line " + std::to_string(i) + " abc abc\r\n";
    return text;
}

class FaultInjection : public testing::TestWithParam<Scenario> {
protected:
    void SetUp() override { reset(); }

    void reset() {
        for (const auto& name : names()) fs::remove_all(dir_ / name);
        testkit::write_bytes(dir_ / "list.txt", original_);
        fs::permissions(dir_ / "list.txt", fs::perms(0640));
        if (GetParam().to_output) {
            testkit::write_bytes(dir_ / "out.txt", "earlier output\n");
            fs::permissions(dir_ / "out.txt", fs::perms(0604));
        }
    }

    RunResult run(FaultyFileSystem& files) {
        std::vector<std::string> args{"-q", "-i", "list.txt", "-f", "abc", "-r", "xyz"};
        if (GetParam().to_output) args.insert(args.end(), {"-o", "out.txt"});
        files.no_links = GetParam().no_links;
        std::istringstream in;
        std::ostringstream out, console;
        platform::Console con{in, out, console};
        testkit::ScopedCwd cwd(dir_.path());
        RunResult r;
        try {
            r.code = run_morfex(args, con, files);
        } catch (const Killed&) {
            r.killed = true;
        }
        r.out = out.str();
        return r;
    }

    std::set<std::string> names() const {
        std::set<std::string> n;
        for (const auto& e : fs::directory_iterator(dir_.path())) n.insert(e.path().filename().string());
        return n;
    }

    unsigned mode(const char* name) const {
        struct stat st;
        return ::stat((dir_ / name).c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
    }

    // The edited file, and the output file when there is one, hold either
    // their old or their new contents, whole, with their permissions.
    void expect_intact(const RunResult& r, const std::string& what) {
        const bool to_output = GetParam().to_output;
        const std::string edited = to_output ? "out.txt" : "list.txt";
        const std::string old_text = to_output ? "earlier output\n" : original_;
        std::string now = testkit::read_bytes(dir_ / edited);
        bool ok_run = !r.killed && (r.code == 0 || r.code == 1);
        if (ok_run) {
            EXPECT_TRUE(now == edited_) << what;
        } else if (!r.killed) {
            EXPECT_TRUE(now == old_text) << what;
        } else {
            EXPECT_TRUE(now == old_text || now == edited_) << what;
        }
        if (to_output) {
            EXPECT_TRUE(testkit::read_bytes(dir_ / "list.txt") == original_) << what;
        }
        EXPECT_EQ(mode("list.txt"), 0640u) << what;
        if (to_output) {
            EXPECT_EQ(mode("out.txt"), 0604u) << what;
        }

        std::set<std::string> expected{"list.txt"};
        if (to_output) expected.insert("out.txt");
        std::set<std::string> left = names();
        if (r.killed) return;  // a killed run may leave its temporary files
        if (left.count("LIST.$$$")) {
            // Only when deleting the backup failed, and it holds the input.
            EXPECT_NE(r.out.find("*** Cannot delete <LIST.$$$>"), std::string::npos) << what;
            EXPECT_TRUE(testkit::read_bytes(dir_ / "LIST.$$$") == original_) << what;
            expected.insert("LIST.$$$");
        }
        EXPECT_EQ(left, expected) << what;
        if (!ok_run) {
            EXPECT_NE(r.out.find("*** "), std::string::npos) << what;
        }
    }

    // One run for every call of every operation, that call failing (or
    // ending the run when kill is set).
    template <class Check>
    void sweep(bool kill, Check check) {
        FaultyFileSystem clean;
        RunResult r = run(clean);
        ASSERT_EQ(r.code, 0) << r.out;
        expect_intact(r, "clean run");
        ASSERT_GT(clean.calls[kRead], 2);
        ASSERT_GT(clean.calls[kWrite], 1);
        for (int op = 0; op < kOpCount; ++op) {
            for (int at = 0; at < clean.calls[op]; ++at) {
                reset();
                FaultyFileSystem files;
                files.fail_op = static_cast<Op>(op);
                files.fail_at = at;
                files.kill = kill;
                RunResult f = run(files);
                std::string what = std::string(kOpNames[op]) + " #" + std::to_string(at) + ": " + f.out;
                ASSERT_EQ(f.killed, kill) << what;
                expect_intact(f, what);
                check(static_cast<Op>(op), at, f, what);
            }
        }
    }

    testkit::TempDir dir_;
    const std::string original_ = original_text();
    const std::string edited_ = morfex::edit_text(original_, "abc", "xyz");
};

TEST_P(FaultInjection, EveryFailingOperationKeepsTheFile) {
    const std::set<Op> fatal{kCreate, kWrite, kRead, kSync, kAdopt, kRename, kOpenRead};
    sweep(false, [&](Op op, int at, const RunResult& f, const std::string& what) {
        if (fatal.count(op)) {
            EXPECT_EQ(f.code, op == kOpenRead && at == 0 ? 5 : 11) << what;
        }
    });
}

TEST_P(FaultInjection, KilledAtAnyOperationLosesNothing) {
    sweep(true, [&](Op, int, const RunResult&, const std::string& what) {
        // A backup holds the input; a copied one may be cut short.
        if (names().count("LIST.$$$")) {
            std::string backup = testkit::read_bytes(dir_ / "LIST.$$$");
            EXPECT_TRUE(GetParam().no_links ? original_.starts_with(backup) : backup == original_) << what;
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Morfex, FaultInjection,
                         testing::Values(Scenario{"InPlace", false, false}, Scenario{"InPlaceWithoutLinks", false, true},
                                         Scenario{"ToOutputFile", true, false}),
                         [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

}  // namespace
