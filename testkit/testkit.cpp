#include "testkit.hpp"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace testkit {

fs::path source_dir() { return TMS_SOURCE_DIR; }

TempDir::TempDir() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("tmstest-" + std::to_string(random() % 1000000000u));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    // Folders made read-only by a test must not stop the cleanup.
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

ScopedCwd::ScopedCwd(const fs::path& dir) : old_(fs::current_path()) { fs::current_path(dir); }
ScopedCwd::~ScopedCwd() {
    std::error_code ec;
    fs::current_path(old_, ec);
}

std::string read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_bytes(const fs::path& path, std::string_view data) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void copy_tree(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::vector<std::string> list_cases(const fs::path& dir) {
    std::vector<std::string> names;
    if (!fs::is_directory(dir)) return names;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_directory()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

namespace {
std::string visible(std::string_view line) {
    std::string out;
    for (unsigned char c : line) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c < 0x20 || c >= 0x7f) {
            char buf[8];
            snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else
            out += static_cast<char>(c);
    }
    return out;
}

std::string_view line_at(std::string_view text, size_t offset) {
    size_t start = text.rfind('\n', offset == 0 ? 0 : offset - 1);
    start = (start == std::string_view::npos || offset == 0) ? 0 : start + 1;
    size_t end = text.find('\n', offset);
    end = end == std::string_view::npos ? text.size() : end + 1;
    if (start > text.size()) start = text.size();
    return text.substr(start, end - start);
}
}  // namespace

std::string describe_difference(std::string_view expected, std::string_view actual) {
    if (expected == actual) return {};
    size_t i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) ++i;
    size_t line = 1 + static_cast<size_t>(std::count(expected.begin(), expected.begin() + static_cast<std::ptrdiff_t>(i), '\n'));
    std::ostringstream s;
    s << "first difference at byte " << i << " (line " << line << "); sizes " << expected.size() << " expected, "
      << actual.size() << " actual\n  expected: " << visible(line_at(expected, i))
      << "\n  actual:   " << visible(line_at(actual, i));
    return s.str();
}

bool updating_golden() {
    const char* v = std::getenv("TMS_UPDATE_GOLDEN");
    return v && *v && std::string_view(v) != "0";
}

std::string check_golden(const fs::path& expected_path, std::string_view actual) {
    if (updating_golden()) {
        write_bytes(expected_path, actual);
        return {};
    }
    if (!fs::exists(expected_path)) return "missing golden file " + expected_path.string();
    std::string diff = describe_difference(read_bytes(expected_path), actual);
    return diff.empty() ? diff : expected_path.string() + ": " + diff;
}

}  // namespace testkit
