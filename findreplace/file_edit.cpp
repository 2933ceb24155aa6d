#include "file_edit.hpp"

#include <cerrno>
#include <cstring>
#include <vector>

#include "piece_editor.hpp"
#include "platform/paths.hpp"

namespace morfex {
namespace {

constexpr int kDone = 0;  // step succeeded
constexpr int kNotFound = 2;
constexpr int kNoAccess = 5;
constexpr int kFileError = 11;
constexpr size_t kReadSize = 1 << 20;
constexpr size_t kWriteSize = 1 << 20;
constexpr int kTempAttempts = 100;

std::string parent_directory(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

class FileEdit {
public:
    FileEdit(const Options& opt, FileSystem& fs, std::ostream& out)
        : opt_(opt), fs_(fs), out_(out), editor_(opt.find, opt.replace) {}

    EditOutcome run() {
        in_place_ = platform::equals_ignore_case(opt_.input_name, opt_.output_name);
        int code = open_input();
        // A device or pipe edited in place is simply written back.
        if (code == kDone && in_place_ && in_info_.is_regular) code = make_backup();
        if (code == kDone) code = open_output();
        if (code == kDone) code = copy();
        // Windows cannot replace a file that is still open.
        if (input_fd_ >= 0) fs_.close(input_fd_);
        input_fd_ = -1;
        if (code == kDone) code = commit();
        clean_up();
        EditOutcome outcome;
        outcome.exit_code = code != kDone ? code : editor_.replaced() ? 0 : 1;
        outcome.lines = editor_.lines();
        outcome.deleted = deleted_;
        return outcome;
    }

private:
    int fail(int code, const std::string& message) {
        out_ << "*** " << message << '\n';
        out_.flush();
        return code;
    }

    int open_input() {
        in_path_ = platform::resolve_path(opt_.input_name);
        int err = fs_.open_read(in_path_, input_fd_);
        if (err == 0) err = fs_.stat(input_fd_, in_info_);
        if (err == 0) {
            if (in_place_) target_ = fs_.real_path(in_path_);
            return kDone;
        }
        int code = err == ENOENT || err == ENOTDIR ? kNotFound : err == EACCES || err == EPERM ? kNoAccess : kFileError;
        std::string prefix = err == EMFILE || err == ENFILE ? "Too many open files, " : "";
        return fail(code, prefix + "Cannot open input file <" + opt_.input_name + ">");
    }

    // Keeps the input's contents under the "$$$" name while the run lasts.
    // An existing file of that name may hold the only copy of an earlier
    // edit's input and is left alone.
    int make_backup() {
        backup_name_ = backup_name(opt_.input_name);
        backup_path_ = platform::resolve_path(backup_name_);
        int err = fs_.link(target_, backup_path_);
        if (err != 0 && err != EEXIST) err = copy_to_backup();
        if (err == EEXIST) return fail(kFileError, "Backup file <" + backup_name_ + "> exists already");
        if (err != 0) return fail(kFileError, "Cannot create backup file <" + backup_name_ + ">");
        backup_made_ = true;
        return kDone;
    }

    // For file systems without hard links.
    int copy_to_backup() {
        int to = -1;
        int err = fs_.create(backup_path_, 0600, to);
        if (err != 0) return err;
        int from = -1;
        err = fs_.open_read(target_, from);
        std::vector<char> buf(kReadSize);
        while (err == 0) {
            size_t got = 0;
            err = fs_.read(from, buf.data(), buf.size(), got);
            if (err != 0 || got == 0) break;
            err = fs_.write(to, buf.data(), got);
        }
        if (from >= 0) fs_.close(from);
        int close_err = fs_.close(to);
        if (err == 0) err = close_err;
        if (err != 0) fs_.remove(backup_path_);
        return err == EEXIST ? EIO : err;
    }

    int open_output() {
        const std::string out_path = platform::resolve_path(opt_.output_name);
        FileInfo info;
        int err = fs_.stat(out_path, info);
        bool exists = err == 0;
        if (exists && info.is_directory) {
            err = EISDIR;
        } else if (exists && !info.is_regular) {
            direct_ = true;  // a device or pipe is written as it is
            err = fs_.open_write(out_path, output_fd_);
        } else if (exists || err == ENOENT) {
            if (in_place_) {
                keep_ = in_info_;
            } else if (exists) {
                target_ = fs_.real_path(out_path);
                keep_ = info;
            } else {
                target_ = out_path;
            }
            keep_attributes_ = in_place_ || exists;
            err = create_temp();
        }
        if (err != 0) return fail(kFileError, "Cannot open output file <-o " + opt_.output_name + ">.");
        return kDone;
    }

    int create_temp() {
        int err = EEXIST;
        // A short name beside the target, so that the longest file name still fits.
        const std::string folder = parent_directory(target_);
        for (int n = 0; n < kTempAttempts && err == EEXIST; ++n) {
            temp_ = folder + "/~mfx" + std::to_string(n) + ".tmp";
            err = fs_.create(temp_, keep_attributes_ ? 0600 : 0666, output_fd_);
        }
        temp_made_ = err == 0;
        return err;
    }

    int copy() {
        std::vector<char> buf(kReadSize + kPieceSize);
        std::string result;
        result.reserve(kWriteSize + kReadSize);
        size_t have = 0;
        for (;;) {
            size_t got = 0;
            if (fs_.read(input_fd_, buf.data() + have, buf.size() - have, got) != 0)
                return fail(kFileError, "Cannot read input file <" + opt_.input_name + ">");
            bool at_end = got == 0;
            have += got;
            size_t used = editor_.edit(std::string_view(buf.data(), have), at_end, result);
            std::memmove(buf.data(), buf.data() + used, have - used);
            have -= used;
            if (result.size() >= kWriteSize || at_end) {
                if (fs_.write(output_fd_, result.data(), result.size()) != 0) return write_failed();
                result.clear();
            }
            if (at_end) return kDone;
        }
    }

    int write_failed() { return fail(kFileError, "Cannot write output file <" + opt_.output_name + ">"); }

    // The new contents reach the disk before they take the output's name.
    int commit() {
        int fd = output_fd_;
        output_fd_ = -1;
        if (direct_) return fs_.close(fd) == 0 ? kDone : write_failed();
        int err = keep_attributes_ ? fs_.adopt_attributes(fd, keep_) : 0;
        if (err == 0) err = fs_.sync(fd);
        int close_err = fs_.close(fd);
        if (err == 0) err = close_err;
        if (err == 0) err = fs_.rename(temp_, target_);
        if (err != 0) return write_failed();
        temp_made_ = false;
        fs_.sync_directory(parent_directory(target_));
        return kDone;
    }

    void clean_up() {
        if (output_fd_ >= 0) fs_.close(output_fd_);
        if (input_fd_ >= 0) fs_.close(input_fd_);
        output_fd_ = input_fd_ = -1;
        if (temp_made_) fs_.remove(temp_);
        if (backup_made_) {
            if (fs_.remove(backup_path_) == 0)
                deleted_ = backup_name_;
            else
                fail(kFileError, "Cannot delete <" + backup_name_ + ">");
        }
    }

    const Options& opt_;
    FileSystem& fs_;
    std::ostream& out_;
    PieceEditor editor_;
    bool in_place_ = false;
    std::string in_path_;
    FileInfo in_info_;
    int input_fd_ = -1;
    std::string backup_name_, backup_path_;
    bool backup_made_ = false;
    std::string target_;  // the file the result replaces
    std::string temp_;
    bool temp_made_ = false;
    bool direct_ = false;
    bool keep_attributes_ = false;
    FileInfo keep_;
    int output_fd_ = -1;
    std::string deleted_;
};

}  // namespace

std::string backup_name(const std::string& input_name) {
    platform::PathParts parts = platform::split_path(input_name);
    return platform::join_path(parts.drive, parts.directory, parts.name, "$$$");
}

EditOutcome edit_file(const Options& opt, FileSystem& fs, std::ostream& out) {
    return FileEdit(opt, fs, out).run();
}

}  // namespace morfex
