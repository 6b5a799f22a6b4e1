#pragma once

#include <cstdio>

// Room for a saved game's name of up to 99 characters and its ".chs".
inline constexpr int kSavePathSize = 108;

// The file of a saved game: its name followed by ".chs". False when it would not fit.
inline bool MakeSavePath(const char* name, char (&path)[kSavePathSize]) {
    const int length = std::snprintf(path, sizeof path, "%s.chs", name);
    return length >= 0 && length < kSavePathSize;
}
