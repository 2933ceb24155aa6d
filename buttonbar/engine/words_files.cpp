// File operations by pattern, directories, file times and existence tests.
#include "platform/file_ops.hpp"
#include "platform/find_files.hpp"
#include "platform/paths.hpp"
#include "word_args.hpp"
#include "words.hpp"

namespace dok::words {
namespace {

enum class FileOp { Copy, Move, Delete };

bool pattern_operation(Dok& dok, Scan& s, FileOp op) {
    std::string source, dest;
    bool ok = op == FileOp::Delete ? command_args(dok, s, source) : command_args(dok, s, source, dest);
    if (!ok) return false;
    platform::PathParts src = platform::split_path(source);
    platform::PathParts dst = platform::split_path(dest);
    bool wild = (src.flags & platform::kHasWildcards) != 0;
    bool dest_is_file = (dst.flags & (platform::kHasName | platform::kHasExtension)) != 0;
    std::string src_dir = src.drive + src.directory;
    std::string dst_dir = dst.drive + dst.directory;
    bool failed = false;
    size_t handled = 0;
    for (const platform::FoundEntry& e : platform::find_files(dok.file_path(source))) {
        std::string from = dok.file_path(src_dir + e.name);
        std::string to = dok.file_path(dest_is_file ? dest : dst_dir + e.name);
        bool done = op == FileOp::Copy   ? platform::copy_file(from, to)
                    : op == FileOp::Move ? platform::move_file(from, to)
                                         : platform::delete_file(from);
        if (!done) {
            failed = true;
            break;
        }
        ++handled;
    }
    if (failed || (!wild && handled == 0)) {
        report_error(dok, kErrFileOp);
        return false;
    }
    return true;
}

bool exist_test(Dok& dok, Scan& s) {
    std::string path;
    if (!command_args(dok, s, path)) return false;
    conclude_test(dok, !path.empty() && platform::find_any(dok.file_path(path)));
    return true;
}

// mkdir( and rmdir(.
bool directory_operation(Dok& dok, Scan& s, bool (*operation)(std::string_view), int error) {
    std::string path;
    if (!command_args(dok, s, path)) return false;
    if (path.empty() || !operation(dok.file_path(path))) {
        report_error(dok, error);
        return false;
    }
    return true;
}

}  // namespace

bool w_copy(Dok& dok, Scan& s, Output&) { return pattern_operation(dok, s, FileOp::Copy); }
bool w_move(Dok& dok, Scan& s, Output&) { return pattern_operation(dok, s, FileOp::Move); }
bool w_rename(Dok& dok, Scan& s, Output&) { return pattern_operation(dok, s, FileOp::Move); }
bool w_del(Dok& dok, Scan& s, Output&) { return pattern_operation(dok, s, FileOp::Delete); }

bool w_mkdir(Dok& dok, Scan& s, Output&) { return directory_operation(dok, s, platform::make_directory, kErrMkdir); }
bool w_rmdir(Dok& dok, Scan& s, Output&) { return directory_operation(dok, s, platform::remove_directory, kErrRmdir); }

bool w_cmpfts(Dok& dok, Scan& s, Output& out) {
    std::string a, b;
    if (!command_args(dok, s, a, b)) return false;
    int64_t ta = 0, tb = 0;
    const char* result;
    if (!platform::last_write_time(dok.file_path(a), ta)) result = "2";
    else if (!platform::last_write_time(dok.file_path(b), tb)) result = "-2";
    else {
        // File times are compared in 100-nanosecond ticks.
        auto tick = [](int64_t ns) { return ns / 100 - (ns % 100 < 0); };
        ta = tick(ta);
        tb = tick(tb);
        result = ta < tb ? "-1" : ta > tb ? "1" : "0";
    }
    return append_result(dok, out, result);
}

bool w_ifexist(Dok& dok, Scan& s, Output&) { return exist_test(dok, s); }

bool w_ifnotexist(Dok& dok, Scan& s, Output&) {
    dok.negate_next = true;
    return exist_test(dok, s);
}

}  // namespace dok::words
