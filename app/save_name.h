#pragma once

#include <cstring>

// A typed name holds whatever character a key code stands for: on Windows the right Windows
// key (code 0x5C) types a backslash. A name with a directory separator or a drive colon
// would put the file outside the saved-games directory, so such a name saves nothing.
inline bool IsPlainSaveName(const char* name) {
    return std::strpbrk(name, "\\/:") == nullptr;
}
