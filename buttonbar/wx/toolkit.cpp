#include "wx/toolkit.hpp"

#include <wx/app.h>
#include <wx/fontenum.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>
#include <cstdlib>

#include "wx/gtk.hpp"

namespace dok {
namespace {

class DokApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

void report_assertion(const wxString& file, int line, const wxString&, const wxString& cond, const wxString& msg) {
    std::fprintf(stderr, "dok: toolkit assertion at %s:%d: %s %s\n", static_cast<const char*>(file.utf8_str()), line,
                 static_cast<const char*>(cond.utf8_str()), static_cast<const char*>(msg.utf8_str()));
}

}  // namespace

bool start_toolkit(std::string& error) {
    static int state = 0;  // 0 not tried, 1 running, 2 failed
    static std::string failure;
    if (state == 0) {
        state = 2;
        if (!display_available(failure)) {
            error = failure;
            return false;
        }
        static int argc = 1;
        static char name[] = "dok";
        static char* argv[] = {name, nullptr};
        quiet_toolkit_reports();
        wxApp::SetInstance(new DokApp);
        // The toolkit's own complaint would be a second line.
        wxLog::EnableLogging(false);
        bool started = wxEntryStart(argc, argv) && wxTheApp->CallOnInit();
        wxLog::EnableLogging(true);
        if (!started) {
            const char* name = std::getenv("DISPLAY");
            failure = std::string("cannot open the display \"") + (name ? name : "") + "\"";
            error = failure;
            return false;
        }
        wxSetAssertHandler(report_assertion);
        delete wxLog::SetActiveTarget(new wxLogStderr);
        wxInitAllImageHandlers();
        install_window_style();
        state = 1;
    }
    if (state == 2) error = failure;
    return state == 1;
}

const wxFont& control_font() {
    static const wxFont font = [] {
        wxString face = "DejaVu Sans";
        for (const char* f : {"Arial", "Liberation Sans"})
            if (wxFontEnumerator::IsValidFacename(f)) {
                face = f;
                break;
            }
        return wxFont(wxFontInfo(wxSize(0, 12)).FaceName(face));
    }();
    return font;
}

wxString to_wx(std::string_view text) {
    wxString utf8 = wxString::FromUTF8(text.data(), text.size());
    if (!utf8.empty() || text.empty()) return utf8;
    return wxString(text.data(), wxConvISO8859_1, text.size());
}

std::string from_wx(const wxString& text) {
    wxScopedCharBuffer utf8 = text.utf8_str();
    return std::string(utf8.data(), utf8.length());
}

}  // namespace dok
