// Modal message box without owner window. On Linux there is no desktop to
// show it on, so it is written as "caption: text" and a line end to the given
// stream. On Windows it is a real box, unless the environment variable
// TMS_MESSAGE_BOX_STREAM is set (tests under Wine, where nobody clicks): then
// it is written to the stream as on Linux.
#pragma once

#include <ostream>
#include <string_view>

namespace platform {

enum class MessageBoxIcon { None, Error, Warning, Information };

// Returns the button pressed: always 1 (OK).
int message_box(std::ostream& out, std::string_view text, std::string_view caption,
                MessageBoxIcon icon = MessageBoxIcon::Error);

}  // namespace platform
