#pragma once

// Windows virtual-key codes for SDL keys.

#include <cstdint>

namespace sdl {

// The code of a key from its SDL key code (what the layout prints on it) and, for keys the
// layout gives no Latin meaning, its scan code (where it sits). 0 when it has none.
int VirtualKeyFor(int32_t keycode, int scancode);

// The side-specific code (0xA0-0xA5) of a Shift, Control or Alt scan code, else 0.
int SideVirtualKeyFor(int scancode);

}  // namespace sdl
