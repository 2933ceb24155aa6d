#include <gtest/gtest.h>

#include "engine/events.hpp"
#include "harness.hpp"
#include "platform/environment.hpp"
#include "platform/paths.hpp"

using namespace dok;
using test::Harness;

TEST(Sandbox, ScriptPathsStayInside) {
    Harness h("[layout]\n");
    DokOptions o;
    o.sandbox = "/tmp/box/";
    std::istringstream in;
    std::ostringstream out;
    platform::Console con{in, out, out};
    Dok d(con, h.ui, o);
    EXPECT_EQ(d.file_path("/etc/passwd"), "/tmp/box/etc/passwd");
    EXPECT_EQ(d.file_path("..\\..\\x.txt"), "/tmp/box/x.txt");
    EXPECT_EQ(d.file_path("C:\\data\\..\\..\\y"), "/tmp/box/data/y");
    EXPECT_EQ(d.file_path("/tmp/box/sub/./z"), "/tmp/box/sub/z");
    EXPECT_EQ(d.file_path("/tmp/boxer"), "/tmp/box/tmp/boxer");
    EXPECT_EQ(h.dok->file_path("..\\x"), "..\\x");  // no sandbox: unchanged
}

TEST(Words, VariablesAndEnvironment) {
    Harness h("[variables]\nstr01=[s] 4\nint01=[i]\nenv01=[DOK_WORDS_TEST]\ncla01=[a]\n"
              "[r]\n#set(s,abcdef)#set(i,  -7x)#set(DOK_WORDS_TEST,e v)\n#echo(%s%|%i%|%DOK_WORDS_TEST%|%a%)\n"
              "[bad]\n#set(NULL,x)\n");
    EXPECT_EQ(h.run("r"), "Dok: abcd|-7|e v|t.ini\n");
    EXPECT_EQ(platform::get_environment("DOK_WORDS_TEST"), "e v");
    EXPECT_EQ(h.run("bad"), "Dok: Message 19\n");
}

TEST(Words, EchoTargetsAndFileErrors) {
    Harness h("[r]\n#echo(a\\n,>  out.txt)#echo(b,>>out.txt)#echo(c,out.txt)\n[bad]\n#echo(x,>)\n");
    testkit::ScopedCwd cwd(h.dir.path());
    EXPECT_EQ(h.run("r"), "");
    EXPECT_EQ(testkit::read_bytes(h.dir / "out.txt"), "a\r\nbc");
    EXPECT_EQ(h.run("bad"), "Dok: Message 26\n");
}

TEST(Words, PatternOperationsWithAFileDestination) {
    Harness h("[r]\n#copy(in\\\\*.txt,last.txt)\n#del(in\\\\*.txt)\n#ifnotexist(in\\\\*.txt)#echo(deleted)\n"
              "[nothing]\n#move(in\\\\*.none,x)#del(in\\\\*.none)#echo(no matches is fine)\n");
    testkit::write_bytes(h.dir / "in" / "a.txt", "A");
    testkit::write_bytes(h.dir / "in" / "b.txt", "B");
    testkit::ScopedCwd cwd(h.dir.path());
    EXPECT_EQ(h.run("r"), "Dok: deleted\n");
    EXPECT_EQ(testkit::read_bytes(h.dir / "last.txt"), "B");  // the last match wins
    EXPECT_EQ(h.run("nothing"), "Dok: no matches is fine\n");
}

TEST(Words, FileTimes) {
    Harness h("[r]\n#echo(#cmpfts(old,new) #cmpfts(new,old) #cmpfts(old,old) #cmpfts(none,old) #cmpfts(old,none))\n");
    testkit::write_bytes(h.dir / "old", "");
    testkit::write_bytes(h.dir / "new", "");
    std::filesystem::last_write_time(h.dir / "old", std::filesystem::last_write_time(h.dir / "new") - std::chrono::hours(1));
    testkit::ScopedCwd cwd(h.dir.path());
    EXPECT_EQ(h.run("r"), "Dok: -1 1 0 2 -2\n");
    // Times are compared in 100-nanosecond ticks.
    auto tick = std::filesystem::file_time_type(std::chrono::seconds(1700000000));
    std::filesystem::last_write_time(h.dir / "old", tick + std::chrono::nanoseconds(10));
    std::filesystem::last_write_time(h.dir / "new", tick + std::chrono::nanoseconds(90));
    EXPECT_EQ(h.run("r"), "Dok: 0 0 0 2 -2\n");
    std::filesystem::last_write_time(h.dir / "new", tick + std::chrono::nanoseconds(100));
    EXPECT_EQ(h.run("r"), "Dok: -1 1 0 2 -2\n");
}

TEST(Words, ProcessStartsAndShowMode) {
    Harness h("[r]\n#callshow(2)#callwait(sh -c \"exit 7\")#echo(%errorlevel%)\n#call(true)#echo(%errorlevel% kept)\n"
              "[fail]\n#callwait(no_such_program_x)\n#echo(not reached)\n[later]\n#call(sh -c \"exit 9\")#echo(%errorlevel%)\n");
    EXPECT_EQ(h.run("r"), "Dok: 7\nDok: 7 kept\n");  // call( leaves errorlevel alone
    EXPECT_EQ(h.dok->show_mode, 2);
    EXPECT_EQ(h.run("fail"), "Dok: Message 2\n");
    EXPECT_FALSE(h.dok->wait_request);  // a failed start drops the wait request
    EXPECT_EQ(h.run("later"), "Dok: 0\n");
    h.options.allow_processes = false;
    EXPECT_EQ(h.run("r"), "Dok: Message 2\n");
}

TEST(Words, SettingsAreNeverInjected) {
    Harness h("[r]\n#savesetting(a=b,x)\n[s]\n#savesetting([evil],x)\n[ok]\n#savesetting(key,v=w)#echo(#loadsetting(key))\n");
    EXPECT_EQ(h.run("r"), "Dok: Message 4\n");
    EXPECT_EQ(h.run("s"), "Dok: Message 4\n");
    EXPECT_EQ(h.run("ok"), "Dok: v=w\n");
}

TEST(Events, DispatchByKindAndCode) {
    Harness h("[layout]\nedit01=[e] [] 0 0 1 1 [er]\nlistbox01=[l] [] 0 0 1 1 [lr]\nbutton01=[b] [] 0 0 1 1 [br]\n"
              "[er]\n#echo(top)\n#end\n:EDITCHANGE\n#echo(change)\n[lr]\n#echo(list)\n[br]\n#echo(button)\n");
    EngineEvents events(*h.dok, nullptr);
    h.clear();
    events.on_command(1200, kEnChange);
    events.on_command(1200, 1024);  // an unnamed code runs the routine from its top
    events.on_command(1700, kLbnSelChange);
    events.on_command(1700, kLbnDblClk);
    events.on_command(1300, 5);
    events.on_command(1300, kBnClicked);
    events.on_command(1301, kBnClicked);
    events.on_key(0, kVkTab);
    EXPECT_EQ(h.output(), "Dok: change\nDok: top\nDok: list\nDok: button\n");
    EXPECT_EQ(h.dok->object, "e");
    EXPECT_EQ(h.dok->lastkey, kVkTab);
}

TEST(Events, AboutText) {
    Harness h("[layout]\nAbout=a\\tb\\nc\\\\d\\e\n");
    EXPECT_EQ(about_text(*h.dok), "Dok: a button bar\n\nVersie 2.4h 20100825\n\n\na\tb\nc\\de");
}

TEST(Words, DriveLines) {
    Harness h("[layout]\nlistbox01=[l] [] 0 0 1 1 [r]\nstatic01=[s] [] 0 0 1 1\n"
              "[r]\n#setdrives(l)#echo(#getcount(l))\n[none]\n#setdrives(l,nothing)\n"
              "[bad]\n#setdrives(l,FIXED,x)\n[wrong]\n#setdrives(s)\n");
    h.run("r");
    size_t l = *h.dok->controls.find("l");
    std::string root;
    for (int i = 0; auto item = h.ui.list_item(l, i); ++i)
        if (item->rfind("[-/-] ", 0) == 0) root = *item;
    // The mount point, then the label and the file system padded to 11 and 10.
    ASSERT_GE(root.size(), 30u) << root;
    EXPECT_EQ(root[17], ' ') << root;
    EXPECT_EQ(root[28], ' ') << root;
    EXPECT_NE(root.find("Mb "), std::string::npos) << root;
    EXPECT_EQ(h.ui.list_selection(l), -1);  // nothing is selected
    int count = h.ui.list_count(l);
    h.run("none");
    EXPECT_EQ(h.ui.list_count(l), count);  // no kind selected: nothing added
    EXPECT_EQ(h.run("bad"), "Dok: Message 18\n");
    EXPECT_EQ(h.run("wrong"), "Dok: Message 14\n");
}

TEST(Words, TextFileLinesEndAtANul) {
    Harness h("[r]\n#echo([#fread(f.txt,1)][#readf(#openf(f.txt))])\n");
    testkit::write_bytes(h.dir / "f.txt", std::string("ab\0cd\nnext\n", 11));
    testkit::ScopedCwd cwd(h.dir.path());
    EXPECT_EQ(h.run("r"), "Dok: [ab][ab]\n");
}
