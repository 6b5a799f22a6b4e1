#pragma once

#include "display/platform.h"

namespace platform {

// The game's entry signature (see app/shell.h).
using GameEntry = int (*)(ModuleHandle instance, int showCommand);

// What the game tells the page beyond its picture; either may be null.
struct PageHooks {
    // Runs after each frame the page shows.
    void (*afterFrame)() = nullptr;
    // Whether a touch pressed at one picture point and lifted at another presses again
    // where it lifted, so that dragging a piece is the same as pressing it and its target.
    bool (*pressWhereLifted)(int fromX, int fromY, int toX, int toY) = nullptr;
};

// Decodes the built-in sheets, installs the browser's System with the page's input wired
// to it, runs the game, and shows the end screen once it returns. Answers its exit code.
int RunInBrowser(GameEntry game, const PageHooks& hooks = {});

}  // namespace platform
