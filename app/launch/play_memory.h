#pragma once

// The Play dialog's choices of the last game started from it, kept beside the remembered
// screen so the dialog offers them again at the next start. A missing, unreadable or damaged
// file means the defaults: White human against the Classic player, Classic rules.

#include <string>

namespace launch {

// Levels in the order the dialog offers them.
inline constexpr const char* kLevelNames[] = {"classic", "beginner", "casual", "club", "master"};
inline constexpr int kLevelCount = 5;

struct RememberedPlay {
    bool whiteComputer = false;
    bool blackComputer = true;
    int whiteLevel = 0;  // index into kLevelNames
    int blackLevel = 0;
    bool standardRules = false;

    bool operator==(const RememberedPlay&) const = default;
};

// The file inside the settings directory.
std::string PlayMemoryPath(const std::string& configDirectory);

// The defaults unless the file holds exactly the lines RememberPlay writes, in any order.
RememberedPlay ReadRememberedPlay(const std::string& path);

// Replaces the file safely; false when it cannot be written.
bool RememberPlay(const std::string& path, const RememberedPlay& play);

}  // namespace launch
