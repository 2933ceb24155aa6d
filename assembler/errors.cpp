#include "errors.hpp"

#include <array>

#include "symbol_table.hpp"

namespace tarn {
namespace {

constexpr std::array<std::string_view, 29> kMessages = {
    "NO_ERROR",
    "FATAL SYMBOL TABLE OVERFLOW",
    "FATAL CAN'T GET COMMON",
    "FATAL CAN'T GET MEMORY",
    "FATAL DSR ERROR",
    "SYNTAX ERROR",
    "INVALID REF",
    "OUT OF RANGE",
    "MULTIPLE SYMBOLS",
    "INVALID MNEMONIC",
    "BAD FWD REFERENCE",
    "INVALID TERM",
    "INVALID REGISTER",
    "INVALID INDEX REGISTER R0",
    "SYMBOL TRUNCATION",
    "UNDEFINED SYMBOL",
    "COM TABLE OVERFLOW",
    "PEND ASSUMED",
    "DEND ASSUMED",
    "CEND ASSUMED",
    "END ASSUMED",
    "COPY ERROR",
    "NESTING #IF/#IFDEF/#IFNDEF TOO DEEP",
    "MULTIPLE #ELSE",
    "USED #ELSE WITHOUT #IF",
    "USED #ENDIF WITHOUT #IF",
    "INVALID DIRECTIVE",
    "USED #IF WITH UNDEFINED SYMBOL",
    "MISSING #ENDIF",
};

}  // namespace

std::string_view error_message(int code) {
    if (code < 0 || code >= static_cast<int>(kMessages.size())) return kMessages[0];
    return kMessages[static_cast<size_t>(code)];
}

void record_error(AssemblerState& st, int code) {
    if (code == kNoError || st.line_error_count >= kMaxLineErrors) return;
    st.line_errors[static_cast<size_t>(st.line_error_count++)] = code;
}

void console_message(AssemblerState& st, std::string_view text) {
    // The message buffer holds 254 characters.
    if (text.size() > 254) text = text.substr(0, 254);
    st.con.out << text;
    ++st.error_count;
    if (st.list_file.is_open()) st.list_file.write(text);
}

void fatal_exit(AssemblerState& st, int code) {
    sym_console_dump(st);
    st.copy_files.clear();
    st.source_file.close();
    st.object_file.close();
    st.list_file.close();
    throw FatalExit{code};
}

}  // namespace tarn
