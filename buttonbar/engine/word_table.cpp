#include <vector>

#include "platform/paths.hpp"
#include "words.hpp"

namespace dok {

using namespace words;

const std::array<WordEntry, kWordCount> kWordTable = {{
    {"seg(", w_seg}, {"strstr(", w_strstr}, {"strtok(", w_strtok}, {"len(", w_len}, {"hex(", w_hex},
    {"oct(", w_oct}, {"bin(", w_bin}, {"char(", w_char}, {"val(", w_val}, {"sub(", w_sub}, {"add(", w_add},
    {"mpy(", w_mpy}, {"div(", w_div}, {"mod(", w_mod}, {"fmtval(", w_fmtval}, {"fmtstr(", w_fmtstr},
    {"drive(", w_drive}, {"directory(", w_directory}, {"filename(", w_filename}, {"extension(", w_extension},
    {"loadsetting(", w_loadsetting}, {"constant(", w_constant}, {"function(", w_function},
    {"toupper(", w_toupper}, {"tolower(", w_tolower}, {"stripnl(", w_stripnl}, {"word(", w_word},
    {"fread(", w_fread}, {"openf(", w_openf}, {"readf(", w_readf}, {"closef(", w_closef},
    {"getcursel(", w_getcursel}, {"getcount(", w_getcount}, {"findstring(", w_findstring},
    {"getstring(", w_getstring}, {"time(", w_time}, {"date(", w_date}, {"hour(", w_hour}, {"minute(", w_minute},
    {"second(", w_second}, {"year(", w_year}, {"month(", w_month}, {"day(", w_day}, {"wday(", w_wday},
    {"yday(", w_yday}, {"week(", w_week}, {"if(", w_if}, {"ifnot(", w_ifnot}, {"ift(", w_ift}, {"iff(", w_iff},
    {"ifexist(", w_ifexist}, {"ifnotexist(", w_ifnotexist}, {"callshow(", w_callshow}, {"call(", w_call},
    {"callwait(", w_callwait}, {"echo(", w_echo}, {"set(", w_set}, {"rem", w_rem}, {"end", w_end},
    {"exit", w_exit}, {"messagebox(", w_messagebox}, {"movewindow(", w_movewindow},
    {"resetcontent(", w_resetcontent}, {"setdrives(", w_setdrives}, {"setfiles(", w_setfiles},
    {"setdirs(", w_setdirs}, {"addstring(", w_addstring}, {"delstring(", w_delstring},
    {"setcursel(", w_setcursel}, {"enable(", w_enable}, {"disable(", w_disable}, {"show(", w_show},
    {"hide(", w_hide}, {"setcheck(", w_setcheck}, {"settext(", w_settext}, {"gettext(", w_gettext},
    {"setfocus(", w_setfocus}, {"sleep(", w_sleep}, {"goto(", w_goto}, {"gosub(", w_gosub},
    {"savesetting(", w_savesetting}, {"delsettings", w_delsettings}, {"del(", w_del}, {"copy(", w_copy},
    {"move(", w_move}, {"rename(", w_rename}, {"rmdir(", w_rmdir}, {"mkdir(", w_mkdir}, {"cmpfts(", w_cmpfts},
    {"return", w_return}, {"subend", w_subend}, {"playwave(", w_playwave}, {"loadbitmap(", w_loadbitmap},
    {"setofntitle(", w_setofntitle}, {"setofnfilter(", w_setofnfilter}, {"setofndir(", w_setofndir},
    {"setofnext(", w_setofnext}, {"setofnflags(", w_setofnflags}, {"getopenfilename(", w_getopenfilename},
    {"getsavefilename(", w_getsavefilename}, {"getopendirname(", w_getopendirname},
}};

const WordEntry* find_word(std::string_view text) {
    // The entries by their first character (the word texts are lower case),
    // in table order.
    static const auto by_first = [] {
        std::array<std::vector<const WordEntry*>, 128> index;
        for (const WordEntry& e : kWordTable) index[static_cast<unsigned char>(e.text[0])].push_back(&e);
        return index;
    }();
    if (text.empty()) return nullptr;
    unsigned char first = static_cast<unsigned char>(text[0]);
    if (first >= 'A' && first <= 'Z') first += 32;
    if (first >= by_first.size()) return nullptr;
    for (const WordEntry* e : by_first[first])
        if (platform::starts_with_ignore_case(text, e->text)) return e;
    return nullptr;
}

}  // namespace dok
