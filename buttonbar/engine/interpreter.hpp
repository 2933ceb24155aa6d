// The script interpreter: routines, text expansion, argument readers and
// error reports.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine.hpp"

namespace dok {

// Interpreter error numbers.
enum ErrorNumber : int {
    kErrTooManyLines = 1, kErrNotFound = 3, kErrBadArgument = 4, kErrEnvironment = 12, kErrTooLong = 13,
    kErrControl = 14, kErrFileOp = 16, kErrNoSettings = 17, kErrCommandSyntax = 18, kErrVariable = 19,
    kErrMkdir = 20, kErrRmdir = 21, kErrGosubDepth = 22, kErrReturn = 23, kErrSubroutineEnd = 24,
    kErrTooManyFiles = 25, kErrFile = 26, kErrUnknownWord = 27, kErrComma = 28,
};

// A notification's entry in an event table; name is empty for the closing
// entry.
struct EventEntry {
    int code = 0;
    std::string_view name;
};

// Output area of an expansion, limited to a number of characters.
struct Output {
    std::string text;
    size_t limit;
    explicit Output(size_t l) : limit(l) {}
    bool fits(size_t more) const { return more <= limit - text.size(); }
};

// Position in a text that a word handler reads its arguments from.
struct Scan {
    std::string_view text;
    size_t pos = 0;
    bool at_end() const { return pos >= text.size(); }
    char peek() const { return at_end() ? '\0' : text[pos]; }
};

// Runs a routine unless one is already running. control is the record whose
// notification started it, or -1.
void run_routine(Dok& dok, std::string_view name, const EventEntry* entry = nullptr, int control = -1);

// Shows the numbered error with the routine, line and position, and stops
// the routine.
void report_error(Dok& dok, int number);

// Expands text into out; false after an error was reported.
bool expand_text(Dok& dok, std::string_view text, Output& out);

// Appends a result; error 13 when it does not fit.
bool append_result(Dok& dok, Output& out, std::string_view result);

// Argument readers.
void skip_separators(Scan& s);
bool require_comma(Dok& dok, Scan& s);                                // error 28
bool raw_argument(Dok& dok, Scan& s, std::string& out);               // error 13
bool text_argument(Dok& dok, Scan& s, std::string& out, size_t limit = kArgSize);
bool number_argument(Dok& dok, Scan& s, uint32_t& out);
bool close_value(Dok& dok, Scan& s);                                  // error 4
bool close_command(Dok& dok, Scan& s);                                // error 18

// Stores the outcome of a test (inverted after ifnot) in errorlevel, and
// ends the line when it fails.
void conclude_test(Dok& dok, bool holds);

// Value of a %name% reference; nullopt for an unknown name.
std::optional<std::string> value_of_name(Dok& dok, std::string_view name);

// Loads a routine section into dok.lines; false (error 1 reported) when it
// has more than 100 lines.
bool load_routine(Dok& dok, std::string_view name);

// Index of the first line whose text from its second character equals
// label ignoring case.
std::optional<size_t> find_label(const Dok& dok, std::string_view label);

// Blank or control character (characters above 127 are text).
inline bool is_blank_or_control(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == 0x7F;
}

}  // namespace dok
