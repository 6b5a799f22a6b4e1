// The game window as the screen of the frame presenter: changed rows go to its picture.

#include <SDL.h>

#include "display/sdl/sdl_system.h"
#include "display/sdl/system_shared.h"

namespace sdl {

void SdlSystem::ShowFrame(const platform::FrameView& frame) {
    if (window_ != nullptr) frames_.Present(frame);
}

bool SdlSystem::UploadRows(const platform::FrameView& frame, platform::RowBand rows) {
    return picture_.Draw(frame, rows);
}

void SdlSystem::Show() {
    picture_.Show();
}

uint32_t SdlSystem::Milliseconds() {
    return SDL_GetTicks();
}

void SdlSystem::Wait(uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

void SdlSystem::Redraw() {
    if (!frames_.Repaint()) picture_.ShowBlank(kPictureWidth, kPictureHeight);
}

// Shown at once, for the game draws nothing while it is inactive, and again with the next
// frame, which may come before the window system has settled a new size or mode.
void SdlSystem::PictureLost() {
    frames_.ShowNext();
    Redraw();
}

}  // namespace sdl
