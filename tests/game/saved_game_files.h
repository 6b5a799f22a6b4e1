#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh directory per test for saved-game files, removed afterwards.
class SavedGameFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrion-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory = pattern;
    }

    void TearDown() override {
        std::filesystem::permissions(directory, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(directory);
    }

    std::string PathOf(const std::string& name) const { return (directory / name).string(); }

    void WriteFile(const std::string& path, const std::string& bytes) const {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }

    // No temporary file of a save is left in the directory.
    void ExpectNoTempFiles() const {
        for (const auto& entry : std::filesystem::directory_iterator(directory)) {
            EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
        }
    }

    // A save (the call under test, 1 on success) to a missing folder, to no name, or onto a
    // folder fails, leaves the folder as it was and no temporary file behind.
    template <typename Save>
    void ExpectUnwritableTargetsFail(Save save, const std::string& ending) const {
        EXPECT_EQ(save(PathOf("missing/dir" + ending).c_str()), 0);
        EXPECT_EQ(save(""), 0);
        const std::string folder = PathOf("folder" + ending);
        std::filesystem::create_directory(folder);
        EXPECT_EQ(save(folder.c_str()), 0);
        EXPECT_TRUE(std::filesystem::is_directory(folder));
        ExpectNoTempFiles();
    }

    std::string ReadFile(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::filesystem::path directory;
};
