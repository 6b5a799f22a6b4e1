#pragma once

// The screen the player chose last with Alt+Enter, kept in a one-line file so the next start
// looks the same. Losing it is harmless: a missing, unreadable or damaged file means full
// screen, and a file that cannot be written is only reported.

#include <string>

namespace launch {

// The file inside the settings directory.
std::string ScreenMemoryPath(const std::string& configDirectory);

// True for full screen (also when the file is missing, unreadable or not understood).
bool ReadRememberedFullScreen(const std::string& path);

// Writes the choice, creating the settings directory when needed; false when it cannot.
bool RememberFullScreen(const std::string& path, bool fullScreen);

}  // namespace launch
