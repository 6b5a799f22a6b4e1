#pragma once

// What the player is told when a game could not be saved or loaded: a message box that
// names the file and the system's reason. Nothing else changes after it.

#include "display/platform.h"

// error is the errno of the failure.
void TellGameNotSaved(platform::WindowHandle window, const char* path, int error);
void TellGameNotLoaded(platform::WindowHandle window, const char* path, int error);
// A name the Save dialog refuses before any file is touched.
void TellNameRefused(platform::WindowHandle window);
