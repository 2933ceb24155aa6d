// Low-level descriptor helpers shared by the file services.
#pragma once

#include <string_view>

namespace platform {

// Writes all of data, retrying after interruptions and short writes. False on
// failure, with errno telling why.
bool write_all(int fd, std::string_view data);

}  // namespace platform
