// The word table and the handlers of every word.
#pragma once

#include <array>
#include <string_view>

#include "interpreter.hpp"

namespace dok {

using WordHandler = bool (*)(Dok&, Scan&, Output&);

struct WordEntry {
    std::string_view text;  // ends in '(' when the word takes arguments
    WordHandler handler;
};

constexpr size_t kWordCount = 101;
extern const std::array<WordEntry, kWordCount> kWordTable;

// First entry whose text equals the start of text, ignoring case.
const WordEntry* find_word(std::string_view text);

namespace words {
#define DOK_WORD(name) bool name(Dok&, Scan&, Output&);
// Strings and numbers.
DOK_WORD(w_seg) DOK_WORD(w_strstr) DOK_WORD(w_strtok) DOK_WORD(w_len) DOK_WORD(w_hex) DOK_WORD(w_oct)
DOK_WORD(w_bin) DOK_WORD(w_char) DOK_WORD(w_val) DOK_WORD(w_sub) DOK_WORD(w_add) DOK_WORD(w_mpy) DOK_WORD(w_div)
DOK_WORD(w_mod) DOK_WORD(w_fmtval) DOK_WORD(w_fmtstr) DOK_WORD(w_toupper) DOK_WORD(w_tolower) DOK_WORD(w_stripnl)
DOK_WORD(w_word)
// Paths, settings, constants, functions.
DOK_WORD(w_drive) DOK_WORD(w_directory) DOK_WORD(w_filename) DOK_WORD(w_extension) DOK_WORD(w_loadsetting)
DOK_WORD(w_constant) DOK_WORD(w_function)
// Text files.
DOK_WORD(w_fread) DOK_WORD(w_openf) DOK_WORD(w_readf) DOK_WORD(w_closef)
// List queries.
DOK_WORD(w_getcursel) DOK_WORD(w_getcount) DOK_WORD(w_findstring) DOK_WORD(w_getstring)
// Date and time.
DOK_WORD(w_time) DOK_WORD(w_date) DOK_WORD(w_hour) DOK_WORD(w_minute) DOK_WORD(w_second) DOK_WORD(w_year)
DOK_WORD(w_month) DOK_WORD(w_day) DOK_WORD(w_wday) DOK_WORD(w_yday) DOK_WORD(w_week)
// Flow and tests.
DOK_WORD(w_if) DOK_WORD(w_ifnot) DOK_WORD(w_ift) DOK_WORD(w_iff) DOK_WORD(w_ifexist) DOK_WORD(w_ifnotexist)
DOK_WORD(w_rem) DOK_WORD(w_end) DOK_WORD(w_exit) DOK_WORD(w_goto) DOK_WORD(w_gosub) DOK_WORD(w_return)
DOK_WORD(w_subend)
// Processes, boxes, settings.
DOK_WORD(w_callshow) DOK_WORD(w_call) DOK_WORD(w_callwait) DOK_WORD(w_echo) DOK_WORD(w_set)
DOK_WORD(w_messagebox) DOK_WORD(w_sleep) DOK_WORD(w_playwave) DOK_WORD(w_savesetting) DOK_WORD(w_delsettings)
// File operations.
DOK_WORD(w_del) DOK_WORD(w_copy) DOK_WORD(w_move) DOK_WORD(w_rename) DOK_WORD(w_rmdir) DOK_WORD(w_mkdir)
DOK_WORD(w_cmpfts)
// Controls.
DOK_WORD(w_movewindow) DOK_WORD(w_resetcontent) DOK_WORD(w_addstring) DOK_WORD(w_delstring)
DOK_WORD(w_setcursel) DOK_WORD(w_enable) DOK_WORD(w_disable) DOK_WORD(w_show) DOK_WORD(w_hide)
DOK_WORD(w_setcheck) DOK_WORD(w_settext) DOK_WORD(w_gettext) DOK_WORD(w_setfocus) DOK_WORD(w_loadbitmap)
// Drives and dialogs.
DOK_WORD(w_setdrives) DOK_WORD(w_setfiles) DOK_WORD(w_setdirs) DOK_WORD(w_setofntitle) DOK_WORD(w_setofnfilter)
DOK_WORD(w_setofndir) DOK_WORD(w_setofnext) DOK_WORD(w_setofnflags) DOK_WORD(w_getopenfilename)
DOK_WORD(w_getsavefilename) DOK_WORD(w_getopendirname)
#undef DOK_WORD

// The list control (drop-down, list box, combo box) of that name; or error 14.
std::optional<size_t> list_control(Dok& dok, std::string_view name);
}  // namespace words

// Assigns a user variable as set( does (inifile only when allowed); reports
// its errors and returns false on failure.
bool assign_variable(Dok& dok, std::string_view name, std::string_view value, bool allow_inifile);

}  // namespace dok
