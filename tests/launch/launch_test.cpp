// What the program does with its command line before the game starts, as the player sees
// it: the printed answers and exit codes, the starting screen, and the data directory.

#include "app/launch/launch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/launch/screen_memory.h"
#include "display/testing/temp_directory.h"
#include "tests/launch/environment.h"

namespace launch {
namespace {

// Captures what one PrepareLaunch writes to its two streams.
class LaunchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        start_ = std::filesystem::current_path();
        environment.Set("HOME", folder.Path() + "/home");
        environment.Set("XDG_CONFIG_HOME", folder.Path() + "/config");
        environment.Set("XDG_DATA_HOME", folder.Path() + "/data");
    }
    void TearDown() override { std::filesystem::current_path(start_); }

    LaunchPlan Launch(std::vector<const char*> arguments) {
        arguments.insert(arguments.begin(), "kestrion");
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        LaunchPlan plan =
            PrepareLaunch(static_cast<int>(arguments.size()), arguments.data(), out, err);
        printed = Contents(out);
        complained = Contents(err);
        return plan;
    }
    std::string MemoryFile() const { return folder.Path() + "/config/kestrion/screen.conf"; }

    platform::TempDirectory folder;
    ScopedEnvironment environment;
    std::string printed;
    std::string complained;

  private:
    static std::string Contents(std::FILE* file) {
        std::string text;
        std::rewind(file);
        for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
        std::fclose(file);
        return text;
    }
    std::filesystem::path start_;
};

TEST_F(LaunchTest, VersionAndHelpAnswerOnStandardOutputAndEndWithZero) {
    LaunchPlan plan = Launch({"--version"});
    EXPECT_FALSE(plan.play);
    EXPECT_EQ(plan.exitCode, 0);
    EXPECT_EQ(printed, "Kestrion " KESTRION_VERSION "\n");
    EXPECT_EQ(complained, "");

    plan = Launch({"--help"});
    EXPECT_FALSE(plan.play);
    EXPECT_EQ(plan.exitCode, 0);
    EXPECT_EQ(printed.rfind("Usage: kestrion", 0), 0u);
    EXPECT_EQ(complained, "");
}

TEST_F(LaunchTest, AnAnswerThatCannotBeWrittenDoesNotEndWithZero) {
    // A stream open only for reading refuses every write, as a full disk or a closed
    // standard output would.
    ASSERT_TRUE(folder.Write("read-only", std::string()));
    for (const char* option : {"--version", "--help"}) {
        std::FILE* out = std::fopen((folder.Path() + "/read-only").c_str(), "rb");
        ASSERT_NE(out, nullptr);
        std::FILE* err = std::tmpfile();
        const char* arguments[] = {"kestrion", option};
        const LaunchPlan plan = PrepareLaunch(2, arguments, out, err);
        std::fclose(out);
        std::fclose(err);
        EXPECT_FALSE(plan.play) << option;
        EXPECT_EQ(plan.exitCode, 1) << option;
    }
}

TEST_F(LaunchTest, AnUnknownOptionGivesTheUsageOnStandardErrorAndExitCodeTwo) {
    const LaunchPlan plan = Launch({"--user-data", "--colour"});
    EXPECT_FALSE(plan.play);
    EXPECT_EQ(plan.exitCode, 2);
    EXPECT_EQ(printed, "");
    EXPECT_NE(complained.find("'--colour'"), std::string::npos);
    EXPECT_NE(complained.find("Usage: kestrion"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/data")) << "nothing was prepared";
}

TEST_F(LaunchTest, TheScreenStartsAsRememberedUnlessAnOptionSaysOtherwise) {
    LaunchPlan plan = Launch({});
    EXPECT_TRUE(plan.play);
    EXPECT_TRUE(plan.fullScreen) << "nothing remembered yet";
    EXPECT_EQ(plan.screenMemory, MemoryFile());

    ASSERT_TRUE(RememberFullScreen(MemoryFile(), false));
    EXPECT_FALSE(Launch({}).fullScreen);
    EXPECT_TRUE(Launch({"--fullscreen"}).fullScreen);
    ASSERT_TRUE(RememberFullScreen(MemoryFile(), true));
    EXPECT_FALSE(Launch({"--window"}).fullScreen);
    EXPECT_TRUE(Launch({}).fullScreen);
    // Starting with an option does not change what is remembered.
    EXPECT_TRUE(ReadRememberedFullScreen(MemoryFile()));
    EXPECT_EQ(printed + complained, "");
}

TEST_F(LaunchTest, UserDataMakesTheDataDirectoryCurrent) {
    const std::filesystem::path before = std::filesystem::current_path();
    ASSERT_TRUE(Launch({}).play);
    EXPECT_EQ(std::filesystem::current_path(), before) << "the current directory by default";

    ASSERT_TRUE(Launch({"--user-data"}).play);
    const std::filesystem::path data = folder.Path() + "/data/kestrion";
    EXPECT_TRUE(std::filesystem::is_directory(data));
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), data));
    EXPECT_EQ(complained, "");
}

TEST_F(LaunchTest, AGameFileIsNamedFromWhereTheGameWasStartedAndThePlayChoicesBeside) {
    std::filesystem::create_directories(folder.Path() + "/here");
    std::filesystem::current_path(folder.Path() + "/here");
    const LaunchPlan plan = Launch({"--user-data", "saves/opening.chs"});
    ASSERT_TRUE(plan.play);
    // Still the file beside where the player was, though the data directory is now current.
    EXPECT_TRUE(std::filesystem::path(plan.gameFile).is_absolute()) << plan.gameFile;
    EXPECT_EQ(
        std::filesystem::path(plan.gameFile),
        std::filesystem::current_path().parent_path().parent_path() / "here/saves/opening.chs");
    EXPECT_EQ(plan.playMemory, folder.Path() + "/config/kestrion/play.conf");
    EXPECT_EQ(Launch({}).gameFile, "");
}

TEST_F(LaunchTest, AnUncreatableDataDirectoryIsReportedAndTheCurrentOneStays) {
    ASSERT_TRUE(folder.Write("data", std::string("a file, not a directory")));
    const std::filesystem::path before = std::filesystem::current_path();
    const LaunchPlan plan = Launch({"--user-data"});
    EXPECT_TRUE(plan.play);
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_NE(complained.find(folder.Path() + "/data/kestrion"), std::string::npos) << complained;
    EXPECT_NE(complained.find("current directory"), std::string::npos) << complained;

    environment.Unset("XDG_DATA_HOME");
    environment.Unset("HOME");
    EXPECT_TRUE(Launch({"--user-data"}).play);
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_NE(complained.find("current directory"), std::string::npos) << complained;
}

}  // namespace
}  // namespace launch
