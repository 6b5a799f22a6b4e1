#include "app/game_main.h"
#include "display/sdl/sdl_entry.h"

// The program's entry on the SDL2 desktop.
int main() {
    return platform::RunWithSdl(GameMain);
}
