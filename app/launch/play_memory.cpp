#include "app/launch/play_memory.h"

#include <sstream>

#include "app/launch/settings_file.h"
#include "app/launch/user_directories.h"

namespace launch {

namespace {

constexpr size_t kLongestFile = 512;

bool ReadKind(const std::string& value, bool& computer) {
    if (value == "human" || value == "computer") {
        computer = value == "computer";
        return true;
    }
    return false;
}

bool ReadLevel(const std::string& value, int& level) {
    for (int i = 0; i < kLevelCount; ++i) {
        if (value == kLevelNames[i]) {
            level = i;
            return true;
        }
    }
    return false;
}

bool ReadRules(const std::string& value, bool& standard) {
    if (value == "classic" || value == "standard") {
        standard = value == "standard";
        return true;
    }
    return false;
}

}  // namespace

std::string PlayMemoryPath(const std::string& configDirectory) {
    if (configDirectory.empty()) return std::string();
    return PathText(LocalPath(configDirectory) / "play.conf");
}

RememberedPlay ReadRememberedPlay(const std::string& path) {
    const RememberedPlay defaults;
    std::string text;
    if (!ReadSettingsFile(path, kLongestFile, text)) return defaults;
    RememberedPlay play;
    // Each key once; a file with any other line, or without one of them, is not ours.
    bool seen[5] = {};
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line.empty()) continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) return defaults;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        bool understood = false;
        int index = -1;
        if (key == "white") {
            index = 0;
            understood = ReadKind(value, play.whiteComputer);
        } else if (key == "black") {
            index = 1;
            understood = ReadKind(value, play.blackComputer);
        } else if (key == "white-level") {
            index = 2;
            understood = ReadLevel(value, play.whiteLevel);
        } else if (key == "black-level") {
            index = 3;
            understood = ReadLevel(value, play.blackLevel);
        } else if (key == "rules") {
            index = 4;
            understood = ReadRules(value, play.standardRules);
        }
        if (!understood || seen[index]) return defaults;
        seen[index] = true;
    }
    for (bool present : seen) {
        if (!present) return defaults;
    }
    return play;
}

bool RememberPlay(const std::string& path, const RememberedPlay& play) {
    auto level = [](int index) {
        return index >= 0 && index < kLevelCount ? kLevelNames[index] : kLevelNames[0];
    };
    std::string text;
    text += std::string("white=") + (play.whiteComputer ? "computer" : "human") + "\n";
    text += std::string("black=") + (play.blackComputer ? "computer" : "human") + "\n";
    text += std::string("white-level=") + level(play.whiteLevel) + "\n";
    text += std::string("black-level=") + level(play.blackLevel) + "\n";
    text += std::string("rules=") + (play.standardRules ? "standard" : "classic") + "\n";
    return ReplaceSettingsFile(path, text);
}

}  // namespace launch
