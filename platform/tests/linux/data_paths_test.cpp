#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>

#include "platform/data_paths.hpp"
#include "platform/environment.hpp"

using namespace platform;

namespace {

// Sets (or, with nullopt, removes) a variable and restores it afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<std::string> value) : name_(name), old_(get_environment(name)) {
        set(value);
    }
    ~ScopedVariable() { set(old_); }

private:
    void set(const std::optional<std::string>& value) {
        if (value)
            setenv(name_, value->c_str(), 1);
        else
            unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

using Folders = std::vector<std::string>;

}  // namespace

TEST(DataPathsLinux, ConfigFoldersFollowTheUsersSettingThenEtc) {
    ScopedVariable home("HOME", "/home/u");
    {
        ScopedVariable xdg("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(config_folders(), (Folders{"/cfg", "/etc"}));
    }
    for (std::optional<std::string> unusable : {std::optional<std::string>(), std::optional<std::string>(""),
                                                std::optional<std::string>("relative/cfg")}) {
        ScopedVariable xdg("XDG_CONFIG_HOME", unusable);
        EXPECT_EQ(config_folders(), (Folders{"/home/u/.config", "/etc"}));
    }
    ScopedVariable xdg("XDG_CONFIG_HOME", std::nullopt);
    ScopedVariable no_home("HOME", std::nullopt);
    EXPECT_EQ(config_folders(), (Folders{"/etc"}));
}
