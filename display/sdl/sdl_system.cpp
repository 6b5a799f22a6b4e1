#include "display/sdl/sdl_system.h"

#include <SDL.h>

#include <cstdio>

#include "display/sdl_decode/sdl_bitmap_decoder.h"
#include "resources/embedded.h"

namespace sdl {

SdlSystem::SdlSystem() : HostedSystem(DecodeBitmapWithSdl, soft::LookupBy(FindEmbeddedFile)) {
    // Video waits for the window, so a program without a display can still report that.
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "Kestrion: SDL could not start: %s\n", SDL_GetError());
    }
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
}

SdlSystem::~SdlSystem() {
    CloseWindow();
    SDL_FreeSurface(icon_);
    SDL_Quit();
}

void SdlSystem::OutputDebugStringA(const char* text) {
    if (text != nullptr && SDL_getenv("KESTRION_DEBUG") != nullptr) std::fputs(text, stderr);
}

}  // namespace sdl
