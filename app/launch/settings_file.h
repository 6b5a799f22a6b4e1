#pragma once

// The small text files the game keeps its settings in: read whole, replaced whole.

#include <string>

namespace launch {

// The whole file, when it is at most `limit` bytes and holds no NUL (a file longer than that,
// or with a NUL in it, is not one the game wrote); false when missing or unreadable.
bool ReadSettingsFile(const std::string& path, size_t limit, std::string& text);

// Writes `text` beside the old file and moves it over it, so a crash never leaves half a
// file; creates the settings directory when needed. False when it cannot.
bool ReplaceSettingsFile(const std::string& path, const std::string& text);

}  // namespace launch
