// The command language: lines from the linker file or the "ok>" prompt,
// classified and handed to the command table.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text_file.hpp"

namespace fell {

struct LinkState;

class LineSource {
public:
    virtual ~LineSource() = default;
    // The next line of at most 254 characters, line end kept; false at end.
    virtual bool read_line(std::string& line) = 0;
};

class LinkerFileSource : public LineSource {
public:
    explicit LinkerFileSource(platform::TextReader& file) : file_(file) {}
    bool read_line(std::string& line) override;

private:
    platform::TextReader& file_;
};

// Standard input, with the prompt printed before each line.
class PromptSource : public LineSource {
public:
    PromptSource(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
    bool read_line(std::string& line) override;

private:
    std::istream& in_;
    std::ostream& out_;
};

extern const char* const kUsage;

// Runs every line of the source; stops early when the run must end.
void run_commands(LinkState& s, LineSource& source);

// One line as read (the line end kept).
void run_line(LinkState& s, std::string line);

// The value of .O: ">hex", "0xhex" or decimal; nothing when it does not parse.
std::optional<uint16_t> parse_origin(std::string_view text);

}  // namespace fell
