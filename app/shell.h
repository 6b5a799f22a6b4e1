#pragma once

#include <cstdint>

#include "app/chess_app.h"
#include "display/platform.h"

// Input the window procedure gathers between two passes of the frame loop; process-wide,
// written and read on the one thread.
extern char typedKeys[256];  // key-down codes of this pass, NUL-terminated, at most 255
extern int typedKeyCount;
extern int leftButton;  // 0 or 1
extern int appActive;   // 0 or 1; 0 until the first activation arrives
extern unsigned char keyStates[256];

inline constexpr int kMaxTypedKeys = 255;

struct StillFrameCheck;
// When set, the frame loop runs its check mode with these counts (see still_frames.h); when
// null, the KESTRION_STILL_CHECK environment variable may turn it on.
extern StillFrameCheck* stillFrameCheck;

intptr_t GameWindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                        intptr_t lParam);

// Opens the display, runs `app` frame by frame until the window closes, and releases
// everything. Answers the exit code: the quit message's, or 0 when the display could not
// be opened (app is then neither initialised nor shut down).
int RunShell(ChessApp& app, platform::ModuleHandle instance, int showCommand);
