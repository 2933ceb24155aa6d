// The picture and the icon of the window, loaded from files by the system
// once their headers and sizes have been checked, so that a malformed file
// gives no picture or the default icon instead of reading past its end.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace dok {

// Whether the bytes are a bitmap file whose pixels lie within it.
bool plausible_bitmap(std::string_view data);

// Whether the bytes are an icon file whose every image lies within it.
bool plausible_icon(std::string_view data);

// Null for an empty path, a missing file or one that is not plausible.
HBITMAP load_bitmap_file(const std::string& path);
HICON load_icon_file(const std::string& path);

}  // namespace dok
