// Reading the command line into a plain description: each option, their precedence, and
// the usage text that must name every option the parser takes.

#include "app/launch/launch_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace launch {
namespace {

LaunchOptions Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "kestrion");
    return ParseLaunchOptions(static_cast<int>(arguments.size()), arguments.data());
}

TEST(LaunchOptionsTest, NoOptionsPlayAsLeftLastTimeInTheCurrentDirectory) {
    const LaunchOptions options = Parse({});
    EXPECT_EQ(options.action, LaunchAction::Play);
    EXPECT_EQ(options.screen, ScreenChoice::Remembered);
    EXPECT_FALSE(options.useDataHome);
    EXPECT_EQ(options.badArgument, nullptr);
}

TEST(LaunchOptionsTest, ScreenAndDataOptionsCombineAndTheLastScreenChoiceCounts) {
    LaunchOptions options = Parse({"--window"});
    EXPECT_EQ(options.action, LaunchAction::Play);
    EXPECT_EQ(options.screen, ScreenChoice::Window);

    options = Parse({"--user-data", "--fullscreen"});
    EXPECT_EQ(options.screen, ScreenChoice::FullScreen);
    EXPECT_TRUE(options.useDataHome);

    EXPECT_EQ(Parse({"--window", "--fullscreen"}).screen, ScreenChoice::FullScreen);
    EXPECT_EQ(Parse({"--fullscreen", "--window"}).screen, ScreenChoice::Window);
}

TEST(LaunchOptionsTest, HelpOutranksVersionAndBothStopTheGame) {
    EXPECT_EQ(Parse({"--version"}).action, LaunchAction::ShowVersion);
    EXPECT_EQ(Parse({"--help"}).action, LaunchAction::ShowHelp);
    EXPECT_EQ(Parse({"-h"}).action, LaunchAction::ShowHelp);
    EXPECT_EQ(Parse({"--version", "--help"}).action, LaunchAction::ShowHelp);
    EXPECT_EQ(Parse({"--window", "--version"}).action, LaunchAction::ShowVersion);
}

TEST(LaunchOptionsTest, AnythingNotUnderstoodIsAUsageErrorNamingTheFirstSuchArgument) {
    for (const char* bad : {"--windowed", "-window", "--WINDOW", "-", "", "--"}) {
        const LaunchOptions options = Parse({"--window", bad, "--also-bad"});
        EXPECT_EQ(options.action, LaunchAction::UsageError) << '"' << bad << '"';
        ASSERT_NE(options.badArgument, nullptr);
        EXPECT_STREQ(options.badArgument, bad);
    }
    // Even where help or the version is asked for as well.
    EXPECT_EQ(Parse({"--help", "--nope"}).action, LaunchAction::UsageError);
    EXPECT_EQ(Parse({"--nope", "--version"}).action, LaunchAction::UsageError);
}

TEST(LaunchOptionsTest, OneArgumentThatIsNoOptionNamesTheGameToOpen) {
    LaunchOptions options = Parse({"--window", "saves/game one.chs", "--user-data"});
    EXPECT_EQ(options.action, LaunchAction::Play);
    ASSERT_NE(options.gameFile, nullptr);
    EXPECT_STREQ(options.gameFile, "saves/game one.chs");
    EXPECT_TRUE(options.useDataHome);
    EXPECT_EQ(Parse({}).gameFile, nullptr);

    options = Parse({"a.chs", "b.chs"});  // only one game can be on the board
    EXPECT_EQ(options.action, LaunchAction::UsageError);
    EXPECT_STREQ(options.badArgument, "b.chs");
    EXPECT_EQ(Parse({"a.chs", "--version"}).action, LaunchAction::ShowVersion);
}

TEST(LaunchOptionsTest, TheUsageNamesEveryOptionTheParserTakes) {
    const std::string usage = UsageText();
    for (const char* option :
         {"--window", "--fullscreen", "--user-data", "--help", "-h", "--version"}) {
        EXPECT_NE(Parse({option}).action, LaunchAction::UsageError) << option;
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    EXPECT_NE(usage.find("[FILE]"), std::string::npos);
    EXPECT_EQ(usage.back(), '\n');
}

TEST(LaunchOptionsTest, TheVersionIsTheProjectVersion) {
    EXPECT_STREQ(VersionText(), "Kestrion " KESTRION_VERSION);
}

}  // namespace
}  // namespace launch
