// Drives one fixed bar, with every kind of control, routines with a label for
// every notification, onkey, ontime and a menu, by arbitrary event streams:
// the dispatch, the list words and the guard against a second routine meet
// every order of events. Input: lines of the event protocol (headless/ui.hpp)
// and two more kinds of line:
//   notify <control> <code>   the control's notification with that code;
//   ><line>                   delivered while the window is busy inside the
//                             next box, dialog, focus change or text change,
//                             as a window system dispatches messages then.
// The window closes on a close line, not at the end of the input.
#include <cstdint>
#include <sstream>
#include <string>

#include "support.hpp"
#include "engine/event_line.hpp"
#include "engine/events.hpp"
#include "headless/ui.hpp"
#include "engine/interpreter.hpp"
#include "engine/language.hpp"
#include "engine/loader.hpp"
#include "platform/paths.hpp"

namespace {

constexpr std::string_view kModule = R"([Interpreter]
3="%s\nNot found:\n%s"
4="%s\nInvalid:\n%s"
13="%s\nToo long:\n%s"
14="%s\nNo such control:\n%s"
19="%s\nUnknown variable:\n%s"
22="%s\nNested too deep:\n%s"
[Menu]
65500=&About
)";

// The settings file that onload names: a run may write it.
constexpr std::string_view kSettings = "[config]\r\n@1=settings text\r\n[settings]\r\ncount=2\r\n";

// The sections read most come first: every routine run and every constant
// reads the file again and looks for its section from the top.
constexpr std::string_view kBar = R"([constants]
limit=5
[functions]
both=%s1%+%s2%
[config]
@1=config text
[onload]
#set(inifile,bar.set)
#addstring(dd,pear)#addstring(dd,apple)#addstring(lb,one)#addstring(lbs,b)#addstring(cb,10)#addstring(ddr,x)
#setcursel(dd,1)#settext(status,%first%)
[onexit]
#echo(bye %count%)
[lists]
#set(s1,%dd%|%lb%|%cb%)#set(s2,%ddn%|%ddr%|%cbl%|%lbs%)
#end
:SELCHANGE
#set(s2,#getstring(dd,#getcursel(dd)))#setcursel(lb,#getcursel(dd))#set(s1,#gettext(lb)#gettext(cb))
#end
:DBLCLK
#delstring(lb,#getcursel(lb))#delstring(dd,#getcursel(dd))#setcursel(cb,#findstring(cb,%cb%))
#end
:SETFOCUS
#setfocus(name)
#end
:KILLFOCUS
#addstring(cbl,%cbl%)#delstring(cbl,#constant(limit))
#end
:EDITCHANGE
#addstring(ddn,%ddn%)#setcursel(ddn,#findstring(ddn,%ddn%))
#end
:EDITUPDATE
#settext(cb,%dd%%cb%)
#end
:DROPDOWN
#resetcontent(ddr)#addstring(ddr,#time())#addstring(ddr,#date())
#end
:CLOSEUP
#setcursel(ddr,#getcount(ddr))
#end
:SELECTOK
#addstring(lbs,#getstring(dd,0))#addstring(lbs,#function(both))
#end
:SELECTCANCEL
#resetcontent(lbs)#gosub(clear)
[edits]
#set(count,#add(%count%,1))
#end
:SETFOCUS
#settext(status,focus)#setfocus(digits)
#end
:KILLFOCUS
#settext(lower,#seg(%upper%,1,3))
#end
:EDITCHANGE
#set(s1,%name%/%digits%)#settext(label,#len(%s1%))
#ifnot(%digits%,==,)#addstring(lb,%digits%)
#if(#getcount(lb),GT,8)#delstring(lb,0)
#set(DOKFUZZ_VALUE,%upper%)#set(s2,#toupper(%lower%)#strtok(%name%,/))
[onkey]
#set(s2,%object% %lastkey%)
#if(%lastkey%,==,13)#settext(%object%,enter)
#if(%object%,EQ,NAME)#gosub(fill)
[ontime]
#set(ticks,#add(%ticks%,1))#settext(status,%ticks%)
#if(%ticks%,GT,3)#setcursel(lb,%ticks%)
[buttons]
#messagebox(Go on with %s1%?,Ask,YESNOCANCEL,?)
#if(%keycode%,==,YES)#set(count,#add(%count%,1))#setcheck(r3,%count%)
#if(%keycode%,==,NO)#hide(name)#disable(dd)#disable(ok)
#if(%keycode%,==,CANCEL)#show(name)#enable(dd)#enable(nest)
#settext(ok,#fmtval(%%03d,%count%))#savesetting(count,%count%)
#messagebox(%s2%,Again,ABORTRETRYIGNORE,!)#ift()#settext(window,%keycode%)
[radios]
#set(s1,%r1%%r2%%r3%)#setcheck(c2,%r2%)
#if(%r3%,==,1)#movewindow(#add(%left%,1),#add(%top%,1))
[checks]
#set(s1,%c1%%c2%)#setcheck(r1,%c2%)#setfocus(upper)
#if(%c1%,==,1)#disable(c2)
#if(%c1%,==,0)#enable(c2)
[fill]
#set(ticks,0)
:again
#addstring(lb,%ticks%)#addstring(lbs,#word(%ticks%,one two three))#addstring(dd,#hex(%ticks%))
#set(ticks,#add(%ticks%,1))
#if(%ticks%,LT,5)#goto(again)
[clear]
#resetcontent(lb)#resetcontent(dd)#resetcontent(cb)
[nest]
#set(count,0)#gosub(deeper)
#echo(back at the top %count%)
[deeper]
#set(count,#add(%count%,1))
#if(%count%,LT,#loadsetting(count))#gosub(deeper)
#messagebox(depth %count%,Deep,OKCANCEL,i)
#if(%keycode%,==,OK)#return
#subend
[dialogs]
#setofntitle(@1 %s1%)#setofnfilter(Text\\0*.txt\\0All\\0*.*\\0)
#getopenfilename(s1,%name%)
#if(%keycode%,==,OK)#getsavefilename(s2,%s1%)
#getopendirname(s1)#setofnflags(0)
[files]
#echo(%s1%,>%name%.txt)#echo(%s2%,>>%name%.txt)
#openf(#add(0,1),%name%.txt)#set(s1,#readf(1))#closef(1)
#copy(%name%.txt,%digits%.txt)#setfiles(lb,*.txt)#setdirs(dd,*.*)
#mkdir(%upper%)#rename(%digits%.txt,%upper%)#del(%name%.txt)
[quit]
#exit
[layout]
window=[Events] 9 9 300 200
timer=500
About=Fuzz\tbar\nsecond line
static01=[label] [Label] 0 0 50 10
static02=[status] [] 0 0 50 10
edit01=[name] [initial] 0 0 50 10 [edits]
edit02=[digits] [] 0 0 50 10 [edits] [N]
edit03=[upper] [] 0 0 50 10 [edits] [UC]
edit04=[lower] [] 0 0 50 10 [edits] [LRM]
button01=[ok] [OK] 0 0 50 10 [buttons] [Asks]
button02=[quit] [Quit] 0 0 50 10 [quit]
button03=[nest] [Nest] 0 0 50 10 [nest] [Calls deep]
radio01=[r1] [One] 0 0 50 10 [radios] [A]
radio02=[r2] [Two] 0 0 50 10 [radios] [A]
radio03=[r3] [Three] 0 0 50 10 [radios]
check01=[c1] [Auto] 0 0 50 10 [checks] [A]
check02=[c2] [Manual] 0 0 50 10 [checks] [FPRM]
dropdown01=[dd] [] 0 0 50 50 [lists] [S]
dropdown02=[ddn] [] 0 0 50 50 [lists] [N]
dropdown03=[ddr] [] 0 0 50 50 [lists] [RU]
listbox01=[lb] [] 0 0 50 50 [lists]
listbox02=[lbs] [] 0 0 50 50 [lists] [S]
combobox01=[cb] [] 0 0 50 50 [lists] [N]
combobox02=[cbl] [] 0 0 50 50 [lists] [SL]
groupbox01=[gb] [Group] 0 0 100 40
menu01=[&File] [popup]
menu02=[&Open] [dialogs]
menu03=[] [separator]
menu04=[&Quit] [quit]
menu05=[&Lists] [popup]
menu06=[Fill] [fill]
menu07=[Clear] [clear]
menu08=[Files] [files]
[variables]
str01=[s1] 40
str02=[s2] 254
int01=[count]
int02=[ticks]
env01=[DOKFUZZ_VALUE]
cla01=[first]
)";

// The headless window, with nested delivery of the lines that begin with
// '>' and the notify lines.
class FuzzUi : public dok::Ui {
public:
    explicit FuzzUi(std::istream& in, std::ostream& out) : in_(in), inner_(in, out) {}

    int message_box(std::string_view title, std::string_view text, dok::BoxButtons buttons, dok::BoxIcon icon,
                    bool owned) override {
        nested();
        return inner_.message_box(title, text, buttons, icon, owned);
    }
    bool create_window(const dok::WindowLayout& window, const dok::ControlTable& controls,
                       dok::WindowEvents& events) override {
        controls_ = &controls;
        events_ = &events;
        return inner_.create_window(window, controls, events);
    }
    void show_window() override { inner_.show_window(); }
    // Unlike the program, the end of the input does not close the window:
    // only a close line runs onexit.
    void run_message_loop() override {
        std::string line;
        while (!inner_.window_destroyed() && std::getline(in_, line))
            dispatch(std::string_view(line).substr(line.starts_with('>') ? 1 : 0));
    }
    void pump_messages() override { nested(); }
    void destroy_window() override { inner_.destroy_window(); }
    bool window_destroyed() const override { return inner_.window_destroyed(); }
    void bring_to_front() override { inner_.bring_to_front(); }
    void set_window_title(std::string_view title) override { inner_.set_window_title(title); }
    void move_window(int32_t x, int32_t y) override { inner_.move_window(x, y); }
    dok::WindowPosition window_position() override { return inner_.window_position(); }
    void load_picture(std::string_view path) override { inner_.load_picture(path); }
    std::string control_text(size_t control) override { return inner_.control_text(control); }
    void set_control_text(size_t control, std::string_view text) override {
        inner_.set_control_text(control, text);
        nested();
    }
    bool checked(size_t control) override { return inner_.checked(control); }
    void set_checked(size_t control, bool on) override { inner_.set_checked(control, on); }
    void enable(size_t control, bool on) override { inner_.enable(control, on); }
    void show(size_t control, bool on) override { inner_.show(control, on); }
    void set_focus(size_t control) override {
        inner_.set_focus(control);
        nested();
    }
    void list_reset(size_t control) override { inner_.list_reset(control); }
    int list_add(size_t control, std::string_view text) override { return inner_.list_add(control, text); }
    int list_delete(size_t control, int index) override { return inner_.list_delete(control, index); }
    int list_select(size_t control, int index) override { return inner_.list_select(control, index); }
    int list_selection(size_t control) override { return inner_.list_selection(control); }
    int list_count(size_t control) override { return inner_.list_count(control); }
    int list_find(size_t control, std::string_view prefix) override { return inner_.list_find(control, prefix); }
    std::optional<std::string> list_item(size_t control, int index) override { return inner_.list_item(control, index); }
    dok::DialogResult file_dialog(const dok::FileDialogRequest& request) override {
        nested();
        return inner_.file_dialog(request);
    }
    dok::DialogResult folder_dialog(std::string_view title, std::string_view initial_dir) override {
        nested();
        return inner_.folder_dialog(title, initial_dir);
    }
    void play_wave(std::string_view path) override { inner_.play_wave(path); }

private:
    void nested() {
        std::string line;
        while (in_.peek() == '>' && std::getline(in_, line)) dispatch(std::string_view(line).substr(1));
    }

    void dispatch(std::string_view line) {
        std::string_view rest = dok::trim_event_text(line);
        if (!platform::starts_with_ignore_case(rest, "notify ")) return inner_.handle_event(line);
        if (inner_.window_destroyed()) return;
        rest = dok::trim_event_text(rest.substr(7));
        size_t blank = rest.find_first_of(" \t");
        auto code = dok::parse_event_index(blank == std::string_view::npos ? "" : rest.substr(blank + 1));
        auto index = controls_->find(rest.substr(0, blank));
        if (code && index) events_->on_command(controls_->records[*index].id, *code);
    }

    std::istream& in_;
    dok::HeadlessUi inner_;
    const dok::ControlTable* controls_ = nullptr;
    dok::WindowEvents* events_ = nullptr;
};

// The bar as loading leaves it, loaded once by the program's own start-up
// steps: every input starts from a copy instead of loading it again.
const dok::Dok& loaded_bar(const dok::DokOptions& options) {
    static std::istringstream no_input;
    static dok_fuzz::NullBuffer null;
    static std::ostream out(&null);
    static platform::Console con{no_input, out, out};
    static dok::HeadlessUi ui(no_input, out);
    static const dok::Dok& bar = [&]() -> const dok::Dok& {
        static dok::Dok dok(con, ui, options);
        dok_fuzz::InSandbox cwd;
        dok.words = {platform::current_directory() + "\\Dok", "bar.ini", "first", "second"};
        dok.language_path = platform::current_directory() + "/dok_nl.def";
        dok.ini_path = dok::in_current_directory(dok.words[1]);
        if (!dok::load_ini(dok) || dok.controls.records.empty()) std::abort();
        dok.settings_path = dok.ini_path;
        dok.instance_key = dok.window.title.substr(0, 39);
        dok.window.about_item = dok::message_text(dok, "Menu", 65500, 101);
        return dok;
    }();
    return bar;
}

// What run_dok does after loading.
void run_bar(const dok::Dok& loaded, platform::Console& con, dok::Ui& ui, const dok::DokOptions& options) {
    dok::Dok dok(con, ui, options);
    dok.words = loaded.words;
    dok.ini_path = loaded.ini_path;
    dok.settings_path = loaded.settings_path;
    dok.language_path = loaded.language_path;
    dok.instance_key = loaded.instance_key;
    dok.window = loaded.window;
    dok.pool = loaded.pool;
    dok.controls = loaded.controls;
    dok.variables = loaded.variables;
    dok::EngineEvents events(dok, nullptr);
    if (!ui.create_window(dok.window, dok.controls, events)) return;
    dok.window_created = true;
    dok::run_routine(dok, "onload");
    if (ui.window_destroyed()) return;
    ui.show_window();
    ui.run_message_loop();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static dok_fuzz::Environment environment;
    static const dok::DokOptions options = dok_fuzz::options();
    static dok_fuzz::FixedFiles files{{"bar.ini", kBar}, {"dok_nl.def", kModule}, {"bar.set", kSettings}};
    files.restore();
    const dok::Dok& loaded = loaded_bar(options);

    std::istringstream in{std::string(reinterpret_cast<const char*>(data), size)};
    dok_fuzz::NullBuffer null;
    std::ostream out(&null);
    platform::Console con{in, out, out};
    FuzzUi ui(in, out);
    {
        dok_fuzz::InSandbox cwd;
        run_bar(loaded, con, ui, options);
    }
    environment.restore();
    return 0;
}
