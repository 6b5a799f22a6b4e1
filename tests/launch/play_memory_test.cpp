// The remembered Play dialog choices: a round trip keeps every field, and anything short of
// the whole file the game wrote means the defaults.

#include "app/launch/play_memory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "display/testing/temp_directory.h"

namespace launch {
namespace {

class PlayMemoryTest : public ::testing::Test {
  protected:
    std::string FileWith(const std::string& text) {
        EXPECT_TRUE(folder.Write("play.conf", text));
        return folder.Path() + "/play.conf";
    }
    platform::TempDirectory folder;
};

constexpr char kWritten[] =
    "white=computer\nblack=human\nwhite-level=club\nblack-level=master\nrules=standard\n";

TEST_F(PlayMemoryTest, EveryChoiceSurvivesARoundTripInTheSettingsDirectory) {
    EXPECT_EQ(PlayMemoryPath("/home/ann/.config/kestrion"), "/home/ann/.config/kestrion/play.conf");
    EXPECT_EQ(PlayMemoryPath(""), "");

    const std::string path = folder.Path() + "/config/kestrion/play.conf";
    EXPECT_EQ(ReadRememberedPlay(path), RememberedPlay{});  // no file yet
    for (int white = 0; white < kLevelCount; ++white) {
        RememberedPlay play;
        play.whiteComputer = white % 2 == 0;
        play.blackComputer = white % 3 == 0;
        play.whiteLevel = white;
        play.blackLevel = kLevelCount - 1 - white;
        play.standardRules = white % 2 == 1;
        ASSERT_TRUE(RememberPlay(path, play));
        EXPECT_EQ(ReadRememberedPlay(path), play) << white;
    }
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

TEST_F(PlayMemoryTest, TheFileReadsInAnyOrderWithWindowsLineEnds) {
    const RememberedPlay expected{true, false, 3, 4, true};
    EXPECT_EQ(ReadRememberedPlay(FileWith(kWritten)), expected);
    EXPECT_EQ(ReadRememberedPlay(FileWith("rules=standard\r\nblack-level=master\r\n"
                                          "white-level=club\r\nblack=human\r\nwhite=computer")),
              expected);
}

TEST_F(PlayMemoryTest, ADamagedFileMeansTheDefaults) {
    const RememberedPlay defaults;
    const std::string damaged[] = {
        "",
        "white=computer\nblack=human\nwhite-level=club\nblack-level=master\n",  // one missing
        std::string(kWritten) + "rules=classic\n",                              // twice
        std::string(kWritten) + "colour=green\n",
        std::string(kWritten).replace(0, 14, "white=robot"),
        std::string(kWritten).replace(41, 4, "expert"),
        std::string(kWritten) + "garbage without equals\n",
        std::string(kWritten) + std::string(600, 'x'),  // longer than any file we write
        std::string("white=computer\0\n", 16),
    };
    for (const std::string& text : damaged) {
        EXPECT_EQ(ReadRememberedPlay(FileWith(text)), defaults) << text;
    }
}

TEST_F(PlayMemoryTest, AFileThatCannotBeWrittenIsReportedAndTheOldOneStays) {
    const std::string path = FileWith(kWritten);
    std::filesystem::create_directories(path + ".new");  // the temporary cannot be made
    EXPECT_FALSE(RememberPlay(path, RememberedPlay{}));
    EXPECT_EQ(ReadRememberedPlay(path), (RememberedPlay{true, false, 3, 4, true}));
    EXPECT_FALSE(RememberPlay("", RememberedPlay{}));
}

}  // namespace
}  // namespace launch
