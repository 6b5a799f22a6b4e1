#include "app/launch/play_text.h"

namespace launch {

namespace {

bool ReadKind(std::string_view value, bool& computer) {
    if (value == "human" || value == "computer") {
        computer = value == "computer";
        return true;
    }
    return false;
}

bool ReadLevel(std::string_view value, int& level) {
    for (int i = 0; i < kLevelCount; ++i) {
        if (value == kLevelNames[i]) {
            level = i;
            return true;
        }
    }
    return false;
}

bool ReadRules(std::string_view value, bool& standard) {
    if (value == "classic" || value == "standard") {
        standard = value == "standard";
        return true;
    }
    return false;
}

}  // namespace

RememberedPlay ParseRememberedPlay(std::string_view text) {
    const RememberedPlay defaults;
    RememberedPlay play;
    // Each key once; a text with any other line, or without one of them, is not ours.
    bool seen[5] = {};
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
        if (line.empty()) continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) return defaults;
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
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

std::string RememberedPlayText(const RememberedPlay& play) {
    auto level = [](int index) {
        return index >= 0 && index < kLevelCount ? kLevelNames[index] : kLevelNames[0];
    };
    std::string text;
    text += std::string("white=") + (play.whiteComputer ? "computer" : "human") + "\n";
    text += std::string("black=") + (play.blackComputer ? "computer" : "human") + "\n";
    text += std::string("white-level=") + level(play.whiteLevel) + "\n";
    text += std::string("black-level=") + level(play.blackLevel) + "\n";
    text += std::string("rules=") + (play.standardRules ? "standard" : "classic") + "\n";
    return text;
}

}  // namespace launch
