#pragma once

// Everything Update learns about one pass of the frame loop.
struct InputSnapshot {
    // Virtual-key codes of this pass's key-down messages in arrival order, NUL-terminated;
    // at most 255 codes.
    char typedKeys[256];
    // For every virtual-key code: 0x80 while that key is down, else 0.
    unsigned char keyStates[256];
    // Cursor in 640x480 screen pixels.
    int cursorX;
    int cursorY;
    // Left mouse button as last reported to the window procedure, 0 or 1.
    int buttonDown;
    // Milliseconds since the previous pass.
    int elapsedMs;
};
