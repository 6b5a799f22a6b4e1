#pragma once

// The Play dialog's remembered choices as text: the lines of play.conf on the desktop, the
// same text in the browser's storage for the page. Any text that is not exactly those lines
// means the defaults: White human against the Classic player, Classic rules.

#include <string>
#include <string_view>

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

// The defaults unless the text holds exactly the lines RememberedPlayText writes, in any
// order.
RememberedPlay ParseRememberedPlay(std::string_view text);

std::string RememberedPlayText(const RememberedPlay& play);

}  // namespace launch
