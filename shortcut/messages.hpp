// Message box texts and captions.
#pragma once

#include <string_view>

namespace pinmaker {

inline constexpr std::string_view kCaption = "Pinmaker";
inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kFatalCaption = "Fatal Error";

inline constexpr std::string_view kUsage =
    "Pinmaker - a program to create a shortcut to an executable program\n\n"
    "Usage: Pinmaker -Sshortcutname -Ttarget [-Aarguments] [-Wworkingdirectory] [-Iiconpath] "
    "[-Nicon offset] [-Ddescription] [-Q]\n\n"
    " Icon offsets start with 0. When option -Q (quiet) is used, the job is done\n"
    " without any checks or warnings.";

inline constexpr std::string_view kTooManyArguments = "*** To many arguments";

// Formats with one "%s"-like slot between the angle brackets.
inline constexpr std::string_view kTargetMissing = "Target doesn't exist <";
inline constexpr std::string_view kWorkingDirectoryMissing = "Workingdirectory doesn't exist <";
inline constexpr std::string_view kIconMissing = "Icon doesn't exist <";
inline constexpr std::string_view kSaveFailed = "Save failed <";

inline constexpr std::string_view kSetPathFailed = "SetPath to Target failed!";
inline constexpr std::string_view kSetArgumentsFailed = "SetArguments failed!";
inline constexpr std::string_view kSetWorkingDirectoryFailed = "SetWorkingDirectory failed!";
inline constexpr std::string_view kSetIconLocationFailed = "SetIconLocation failed!";
inline constexpr std::string_view kSetDescriptionFailed = "SetDescription failed!";

}  // namespace pinmaker
