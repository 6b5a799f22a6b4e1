#pragma once

#include <cstdio>

// The few file-system operations a safe save needs, for POSIX and Windows alike. A failed
// operation leaves errno telling why, on Windows too.
namespace file_replace {

// True when path exists but may not be written.
bool IsReadOnly(const char* path);
// Creates path afresh for binary writing; an old file there is removed first and a link
// there is never followed. The new file takes the permissions of modelPath when that file
// exists, so a file replaced through it keeps its own. Null on failure.
std::FILE* CreateFresh(const char* path, const char* modelPath);
// Flushes the file's data to the disk.
bool Sync(std::FILE* file);
// Puts from in the place of to, replacing an existing to in one step.
bool Replace(const char* from, const char* to);
void Remove(const char* path);

}  // namespace file_replace
