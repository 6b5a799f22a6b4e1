// The remembered screen choice: it survives a round trip, and anything short of a file the
// game wrote itself means full screen.

#include "app/launch/screen_memory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "display/testing/temp_directory.h"

namespace launch {
namespace {

class ScreenMemoryTest : public ::testing::Test {
  protected:
    std::string FileWith(const std::string& text) {
        EXPECT_TRUE(folder.Write("screen.conf", text));
        return folder.Path() + "/screen.conf";
    }
    platform::TempDirectory folder;
};

TEST_F(ScreenMemoryTest, TheFileLivesInTheSettingsDirectory) {
    EXPECT_EQ(ScreenMemoryPath("/home/ann/.config/kestrion"),
              "/home/ann/.config/kestrion/screen.conf");
    EXPECT_EQ(ScreenMemoryPath(""), "") << "no settings directory, no file";
}

TEST_F(ScreenMemoryTest, TheChoiceSurvivesARoundTripAndCreatesItsDirectory) {
    const std::string path = folder.Path() + "/config/kestrion/screen.conf";
    ASSERT_TRUE(RememberFullScreen(path, false));
    EXPECT_FALSE(ReadRememberedFullScreen(path));
    ASSERT_TRUE(RememberFullScreen(path, true));
    EXPECT_TRUE(ReadRememberedFullScreen(path));
    ASSERT_TRUE(RememberFullScreen(path, false));
    EXPECT_FALSE(ReadRememberedFullScreen(path));
    // Nothing is left beside it.
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(folder.Path() + "/config/kestrion")) {
        EXPECT_EQ(entry.path().filename(), "screen.conf");
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(ScreenMemoryTest, AHandEditedWindowLineIsUnderstood) {
    EXPECT_FALSE(ReadRememberedFullScreen(FileWith("screen=window")));
    EXPECT_FALSE(ReadRememberedFullScreen(FileWith("screen=window\r\n")));
    EXPECT_FALSE(ReadRememberedFullScreen(FileWith("screen=window  \n")));
}

TEST_F(ScreenMemoryTest, MissingUnreadableOrDamagedMeansFullScreen) {
    EXPECT_TRUE(ReadRememberedFullScreen(""));
    EXPECT_TRUE(ReadRememberedFullScreen(folder.Path() + "/missing.conf"));
    EXPECT_TRUE(ReadRememberedFullScreen(folder.Path())) << "a directory in its place";
    for (const std::string& damaged :
         {std::string(""), std::string("\n"), std::string("screen=win"),
          std::string("Screen=Window\n"), std::string("screen=window\nscreen=window\n"),
          std::string("screen=window") + std::string(100, ' ') + "x", std::string(5000, 'w'),
          std::string("screen=window\0junk", 18), std::string("\xff\xfe\x00\x01", 4)}) {
        EXPECT_TRUE(ReadRememberedFullScreen(FileWith(damaged))) << '"' << damaged << '"';
    }
}

TEST_F(ScreenMemoryTest, AChoiceThatCannotBeWrittenIsRefusedQuietly) {
    ASSERT_TRUE(folder.Write("blocker", std::string("x")));
    EXPECT_FALSE(RememberFullScreen(folder.Path() + "/blocker/kestrion/screen.conf", false));
    EXPECT_FALSE(RememberFullScreen("", false));
    // A directory where the file should be: the rename fails and no temporary is left.
    std::filesystem::create_directories(folder.Path() + "/taken/screen.conf/inside");
    EXPECT_FALSE(RememberFullScreen(folder.Path() + "/taken/screen.conf", false));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/taken/screen.conf.new"));
}

}  // namespace
}  // namespace launch
