#pragma once

// The few things the checks ask of Windows directly, outside the platform interface.
// Kept apart so that the checks themselves never see windows.h.

#include <cstdint>

#include "display/platform.h"

// Tells the window that the program lost (false) or regained (true) the foreground, as the
// system does when the user switches to another program and back.
void SendActivation(platform::WindowHandle window, bool active);

void SleepMilliseconds(uint32_t milliseconds);

// Makes a fresh, empty directory under the system's temporary folder and enters it.
bool EnterScratchDirectory();
