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

    std::string ReadFile(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::filesystem::path directory;
};
