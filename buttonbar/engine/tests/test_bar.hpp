// Loading a test bar as the program loads one: t.ini in the test's folder,
// the settings in the same file, no language module.
#pragma once

#include <filesystem>

#include "engine/engine.hpp"
#include "engine/loader.hpp"

namespace dok::test {

inline bool load_test_bar(Dok& dok, const std::filesystem::path& dir) {
    dok.words = {"Dok", "t.ini"};
    dok.ini_path = (dir / "t.ini").string();
    dok.settings_path = dok.ini_path;
    dok.language_path = (dir / "none.def").string();
    return load_ini(dok);
}

}  // namespace dok::test
