#include "display/soft/file_search.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "display/testing/fake_system.h"
#include "display/testing/temp_directory.h"

namespace {

std::vector<std::string> FindAll(platform::FakeSystem& fake, const char* pattern) {
    std::vector<std::string> names;
    platform::FindData data;
    platform::FindHandle find = fake.FindFirstFileA(pattern, &data);
    if (find == platform::kInvalidFindHandle) return names;
    do {
        names.push_back(data.fileName);
    } while (fake.FindNextFileA(find, &data));
    EXPECT_TRUE(fake.FindClose(find));
    return names;
}

TEST(FileSearch, WildcardsMatchWholeNames) {
    EXPECT_TRUE(soft::WildcardMatch("*.chs", "game.chs"));
    EXPECT_TRUE(soft::WildcardMatch("*.chs", ".chs"));
    EXPECT_FALSE(soft::WildcardMatch("*.chs", "game.chsx"));
    EXPECT_FALSE(soft::WildcardMatch("*.chs", "game.CHS"));
    EXPECT_FALSE(soft::WildcardMatch("*.chs", "gamechs"));
    EXPECT_TRUE(soft::WildcardMatch("g?me*.c*s", "game1.chs"));
    EXPECT_TRUE(soft::WildcardMatch("*a*a*", "banana"));
    EXPECT_FALSE(soft::WildcardMatch("*a*a*", "bnn"));
}

TEST(FileSearch, SavedGamesComeInAlphabeticalOrderWithoutRegardToCase) {
    platform::TempDirectory dir;
    platform::FakeSystem fake;
    fake.directory = dir.Path();
    for (const char* name : {"beta.chs", "Alpha.chs", "gamma.chs", "alpha2.chs", "notes.txt",
                             "x.chs.bak", "UPPER.CHS"}) {
        ASSERT_TRUE(dir.Write(name, std::string("x")));
    }
    ASSERT_EQ(mkdir((dir.Path() + "/folder.chs").c_str(), 0700), 0);  // not a regular file
    EXPECT_EQ(FindAll(fake, "*.chs"),
              (std::vector<std::string>{"Alpha.chs", "alpha2.chs", "beta.chs", "gamma.chs"}));
    EXPECT_EQ(fake.OpenFinds(), 0u);
}

// Every name of fewer than a hundred characters is reported, however many there are: which
// of them the Load list shows is the list's choice, by the times reported with them.
TEST(FileSearch, EveryNameOfFewerThanAHundredCharactersWithItsTime) {
    platform::TempDirectory dir;
    platform::FakeSystem fake;
    fake.directory = dir.Path();
    const auto start = std::filesystem::file_time_type::clock::now();
    for (int i = 0; i < 103; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "g%03d.chs", i);
        ASSERT_TRUE(dir.Write(name, std::string("x")));
        // Written in reverse order of their names, a minute apart.
        std::filesystem::last_write_time(dir.Path() + "/" + name, start - std::chrono::minutes(i));
    }
    std::string longest(95, 'a');  // 99 characters with the extension: kept
    std::string tooLong(96, 'a');  // 100 characters: left out
    ASSERT_TRUE(dir.Write(longest + ".chs", std::string("x")));
    ASSERT_TRUE(dir.Write(tooLong + ".chs", std::string("x")));
    std::vector<std::string> names = FindAll(fake, "*.chs");
    ASSERT_EQ(names.size(), 104u);
    EXPECT_EQ(names.front(), longest + ".chs");
    EXPECT_EQ(names.back(), "g102.chs");
    for (const std::string& name : names) EXPECT_LT(name.size(), 100u);

    platform::FindData data;
    platform::FindHandle find = fake.FindFirstFileA("g*.chs", &data);
    ASSERT_NE(find, platform::kInvalidFindHandle);
    int64_t previous = data.lastWriteTime;
    int reported = 1;
    while (fake.FindNextFileA(find, &data)) {
        EXPECT_LT(data.lastWriteTime, previous) << data.fileName;
        EXPECT_EQ(previous - data.lastWriteTime, int64_t{60} * 1000000000) << data.fileName;
        previous = data.lastWriteTime;
        ++reported;
    }
    EXPECT_EQ(reported, 103);
    EXPECT_TRUE(fake.FindClose(find));
}

TEST(FileSearch, AnEmptyDirectoryGivesTheInvalidHandle) {
    platform::TempDirectory dir;
    platform::FakeSystem fake;
    fake.directory = dir.Path();
    platform::FindData data;
    EXPECT_EQ(fake.FindFirstFileA("*.chs", &data), platform::kInvalidFindHandle);
    EXPECT_FALSE(fake.FindNextFileA(platform::kInvalidFindHandle, &data));
}

}  // namespace
