#pragma once

// How a button is drawn; the value is also the row of its image in the button sheets.
enum ButtonState : int {
    Normal = 0,   // cursor not on the button
    Hover = 1,    // cursor on it, mouse button up
    Pressed = 2,  // cursor on it, mouse button down
};
