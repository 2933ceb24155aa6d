// The toolkit, started once per process, and what every part of the window
// shares: the control font and the conversion of texts.
#pragma once

#include <wx/font.h>
#include <wx/string.h>

#include <string>
#include <string_view>

namespace dok {

// Starts the toolkit on this thread; false, with the reason, when no
// display can be opened. Later calls answer at once.
bool start_toolkit(std::string& error);

// "Arial" at 12 pixels, or the closest sans-serif face installed.
const wxFont& control_font();

// The INI file's bytes as the toolkit's text: UTF-8 when they are valid
// UTF-8, else Latin-1.
wxString to_wx(std::string_view text);
std::string from_wx(const wxString& text);

}  // namespace dok
