#pragma once

// Directory search for FindFirstFileA / FindNextFileA / FindClose.

#include <cstddef>
#include <string>
#include <vector>

#include "display/platform.h"

namespace soft {

// The saved-game list holds 100 names of fewer than 100 characters; the search gives no
// more than that, so nothing it reports is cut off or dropped by the list.
inline constexpr size_t kMaxFoundFiles = 100;
inline constexpr size_t kMaxFoundNameLength = 99;

// '*' matches any run of characters, '?' any one. Letters must match exactly: the files are
// opened again under the listed name, and this file system tells case apart.
bool WildcardMatch(const char* pattern, const char* name);

// Regular files of directory (empty: the current directory) whose names match pattern,
// in alphabetical order without regard to case; at most kMaxFoundFiles names of at most
// kMaxFoundNameLength characters, longer names left out.
std::vector<std::string> ListMatchingFiles(const std::string& directory, const char* pattern);

// FindFirstFileA over a list made by ListMatchingFiles: kInvalidFindHandle when it is empty.
platform::FindHandle FindFirst(std::vector<std::string> names, platform::FindData* data);
bool FindNext(platform::FindHandle find, platform::FindData* data);
bool FindClose(platform::FindHandle find);

}  // namespace soft
