#pragma once

// Windows virtual-key codes for the browser's keyboard events, matching the desktop build's
// mapping: letters by what the layout prints on the key, every other key by where it sits.

namespace web {

// key and code are the KeyboardEvent's fields ("a", "KeyA"; "F12", "F12"). 0 when the key
// has no code the game could see.
int VirtualKeyForDom(const char* key, const char* code);

// The side-specific code (0xA0-0xA5) of a Shift, Control or Alt key's code, else 0.
int SideVirtualKeyForDom(const char* code);

}  // namespace web
