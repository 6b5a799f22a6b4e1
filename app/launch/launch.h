#pragma once

// Everything the program does with its command line before the game starts: answering
// --help and --version, refusing what it does not understand, choosing the starting screen,
// and moving into the data directory when asked.

#include <cstdio>
#include <string>

namespace launch {

struct LaunchPlan {
    bool play = false;  // false: end at once with exitCode
    int exitCode = 0;
    bool fullScreen = true;    // how the game screen starts
    std::string screenMemory;  // the file that keeps Alt+Enter's choice; empty when none
    std::string playMemory;    // the file that keeps the Play dialog's choices; empty when none
    // The saved game named on the command line, made absolute before --user-data changes
    // the current directory; empty when none.
    std::string gameFile;
};

// Reads the options, writes the version or usage to `out` (a usage error to `err`), and
// under --user-data makes the data directory the current one. A version or usage that
// cannot be written ends with exit code 1. A data directory that cannot be made or entered
// is reported on `err` and the current directory stays.
LaunchPlan PrepareLaunch(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

// Creates `directory` when missing and makes it the current directory; on failure says so
// on `err` and answers false, leaving the current directory as it was.
bool EnterDataDirectory(const std::string& directory, std::FILE* err);

}  // namespace launch
