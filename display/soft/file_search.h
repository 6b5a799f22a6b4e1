#pragma once

// Directory search for FindFirstFileA / FindNextFileA / FindClose.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "display/platform.h"

namespace soft {

// The saved-game list holds names of fewer than 100 characters; the search gives no longer
// name, so nothing it reports is cut off by the list.
inline constexpr size_t kMaxFoundNameLength = 99;

struct FoundFile {
    std::string name;
    int64_t lastWriteTime;  // nanoseconds of the file system's clock
};

// '*' matches any run of characters, '?' any one. Letters must match exactly: the files are
// opened again under the listed name, and this file system tells case apart.
bool WildcardMatch(const char* pattern, const char* name);

// Regular files of directory (empty: the current directory) whose names match pattern,
// in alphabetical order without regard to case; names of more than kMaxFoundNameLength
// characters are left out.
std::vector<FoundFile> ListMatchingFiles(const std::string& directory, const char* pattern);

// FindFirstFileA over a list made by ListMatchingFiles: kInvalidFindHandle when it is empty.
platform::FindHandle FindFirst(std::vector<FoundFile> files, platform::FindData* data);
bool FindNext(platform::FindHandle find, platform::FindData* data);
bool FindClose(platform::FindHandle find);

}  // namespace soft
