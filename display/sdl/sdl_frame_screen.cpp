// The game window as the screen of the frame presenter: flipped frames reach it as rows
// copied into one streaming texture, which Redraw scales into the window.

#include <SDL.h>

#include "display/sdl/sdl_system.h"

namespace sdl {

bool SdlSystem::UploadRows(const platform::FrameView& frame, platform::RowBand rows) {
    if (renderer_ == nullptr) return false;
    uint32_t sdlFormat =
        frame.format.gBitMask == 0x3E0 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565;
    if (texture_ == nullptr || frame.width != textureWidth_ || frame.height != textureHeight_ ||
        sdlFormat != textureFormat_) {
        if (texture_ != nullptr) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, sdlFormat, SDL_TEXTUREACCESS_STREAMING, frame.width,
                                     frame.height);
        textureWidth_ = frame.width;
        textureHeight_ = frame.height;
        textureFormat_ = sdlFormat;
        if (texture_ == nullptr) return false;
        // A new texture holds nothing yet, whatever rows were asked for.
        rows = platform::RowBand{0, frame.height};
    }
    SDL_Rect area{0, rows.first, frame.width, rows.count};
    return SDL_UpdateTexture(texture_, &area, frame.Row(rows.first), frame.pitch) == 0;
}

void SdlSystem::Show() {
    Redraw();
}

uint32_t SdlSystem::Milliseconds() {
    return SDL_GetTicks();
}

void SdlSystem::Wait(uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

// Shown at once, for the game draws nothing while it is inactive, and again with the next
// frame, which may come before the window system has settled a new size or mode.
void SdlSystem::PictureLost(bool textureLost) {
    if (textureLost) {
        // A reset device's textures are gone: the last frame is copied anew from memory.
        if (texture_ != nullptr) SDL_DestroyTexture(texture_);
        texture_ = nullptr;
        frames_.Forget();
        frames_.Repaint();
        return;
    }
    frames_.ShowNext();
    Redraw();
}

}  // namespace sdl
