#include "display/sdl/sdl_system.h"

#include <SDL.h>

#include <cstdio>

#include "display/soft/soft_direct_draw.h"

namespace sdl {

SdlSystem::SdlSystem() {
    // Video waits for the window, so a program without a display can still report that.
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "Kestrion: SDL could not start: %s\n", SDL_GetError());
    }
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
}

SdlSystem::~SdlSystem() {
    for (soft::SoftDirectDraw* directDraw : directDraws_) {
        directDraw->SetPresenter(nullptr);
        directDraw->DetachObserver();
    }
    CloseWindow();
    SDL_FreeSurface(icon_);
    SDL_Quit();
}

}  // namespace sdl
