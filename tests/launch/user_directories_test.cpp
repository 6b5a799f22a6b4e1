// The player's directories: the XDG rules for the settings and data directories, and the
// making of a directory path.

#include "app/launch/user_directories.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "display/testing/temp_directory.h"
#include "tests/launch/environment.h"

namespace launch {
namespace {

TEST(UserDirectoriesTest, BaseDirectoryFollowsTheXdgRules) {
    EXPECT_EQ(BaseDirectory("/xdg/config", "/home/ann", ".config"), "/xdg/config");
    // Unset, empty or relative values fall back to the home directory.
    EXPECT_EQ(BaseDirectory(nullptr, "/home/ann", ".config"), "/home/ann/.config");
    EXPECT_EQ(BaseDirectory("", "/home/ann", ".config"), "/home/ann/.config");
    EXPECT_EQ(BaseDirectory("relative/dir", "/home/ann/", ".local/share"),
              "/home/ann/.local/share");
    // Without a usable home there is nowhere to go.
    EXPECT_EQ(BaseDirectory(nullptr, nullptr, ".config"), "");
    EXPECT_EQ(BaseDirectory("", "home/ann", ".config"), "");
}

TEST(UserDirectoriesTest, SettingsAndDataComeFromTheEnvironment) {
    ScopedEnvironment environment;
    environment.Set("HOME", "/home/ann");
    environment.Unset("XDG_CONFIG_HOME");
    environment.Unset("XDG_DATA_HOME");
    EXPECT_EQ(ConfigDirectory(), "/home/ann/.config/kestrion");
    EXPECT_EQ(DataDirectory(), "/home/ann/.local/share/kestrion");

    environment.Set("XDG_CONFIG_HOME", "/cfg");
    environment.Set("XDG_DATA_HOME", "/data/");
    EXPECT_EQ(ConfigDirectory(), "/cfg/kestrion");
    EXPECT_EQ(DataDirectory(), "/data/kestrion");

    environment.Unset("HOME");
    environment.Unset("XDG_DATA_HOME");
    EXPECT_EQ(DataDirectory(), "");
}

TEST(UserDirectoriesTest, MakeDirectoriesCreatesParentsAndRefusesWhatCannotBeADirectory) {
    platform::TempDirectory folder;
    std::string reason;
    const std::string nested = folder.Path() + "/a/b/c";
    EXPECT_TRUE(MakeDirectories(nested, &reason)) << reason;
    EXPECT_TRUE(std::filesystem::is_directory(nested));
    EXPECT_TRUE(MakeDirectories(nested, &reason)) << "an existing directory is fine";

    ASSERT_TRUE(folder.Write("file", std::string("x")));
    reason.clear();
    EXPECT_FALSE(MakeDirectories(folder.Path() + "/file", &reason));
    EXPECT_FALSE(reason.empty());
    reason.clear();
    EXPECT_FALSE(MakeDirectories(folder.Path() + "/file/below", &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(MakeDirectories("", &reason));
}

}  // namespace
}  // namespace launch
