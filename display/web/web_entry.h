#pragma once

#include "display/platform.h"

namespace platform {

// The game's entry signature (see app/shell.h).
using GameEntry = int (*)(ModuleHandle instance, int showCommand);

// Decodes the built-in sheets, installs the browser's System with the page's input wired
// to it, runs the game, and shows the end screen once it returns. Answers its exit code.
int RunInBrowser(GameEntry game);

}  // namespace platform
