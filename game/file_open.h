#pragma once

#include <cstdio>

// Opens path for binary reading; null, with errno telling why, when it cannot be opened.
// On Windows a path is UTF-8 text, as the command line and the player's folders are read
// there, and is opened through the wide-character call, so a name outside the narrow code
// page opens too. A path that is not UTF-8 (a name the narrow directory search found in the
// code page's own letters) is opened as it is.
std::FILE* OpenToRead(const char* path);
