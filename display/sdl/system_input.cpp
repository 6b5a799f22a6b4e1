#include <SDL.h>

#include <cstring>

#include "display/sdl/key_map.h"
#include "display/sdl/letterbox.h"
#include "display/sdl/sdl_system.h"
#include "display/sdl/system_shared.h"

namespace sdl {

void SdlSystem::RefreshKeyTable() {
    if (!keyTableStale_) return;
    SDL_PumpEvents();  // brings SDL's key state up to date; the events stay queued
    std::memset(keyTable_, 0, sizeof keyTable_);
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    for (int scancode = 0; scancode < count; ++scancode) {
        if (!state[scancode]) continue;
        auto code = static_cast<SDL_Scancode>(scancode);
        if (int vk = VirtualKeyFor(SDL_GetKeyFromScancode(code), scancode); vk != 0) {
            keyTable_[vk & 0xFF] = 0x80;
        }
        if (int side = SideVirtualKeyFor(scancode); side != 0) keyTable_[side] = 0x80;
    }
    Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
    if (buttons & SDL_BUTTON_LMASK) keyTable_[0x01] = 0x80;
    if (buttons & SDL_BUTTON_RMASK) keyTable_[0x02] = 0x80;
    if (buttons & SDL_BUTTON_MMASK) keyTable_[0x04] = 0x80;
    keyTableStale_ = false;
}

int16_t SdlSystem::GetKeyState(int virtualKey) {
    RefreshKeyTable();
    // The desktop sets the high bit of the result (and so also bit 0x80) while a key is down.
    return keyTable_[virtualKey & 0xFF] ? static_cast<int16_t>(0xFF80) : 0;
}

platform::Point SdlSystem::MouseToPicture(int windowX, int windowY) const {
    int width = kPictureWidth, height = kPictureHeight;
    if (window_ != nullptr) SDL_GetWindowSize(window_, &width, &height);
    Viewport view = FitPicture(width, height, kPictureWidth, kPictureHeight);
    PicturePoint at = WindowToPicture(view, windowX, windowY, kPictureWidth, kPictureHeight);
    return platform::Point{at.x, at.y};
}

bool SdlSystem::GetCursorPos(platform::Point* point) {
    if (point == nullptr) return false;
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    *point = MouseToPicture(x, y);
    return true;
}

bool SdlSystem::SetCursorPos(int x, int y) {
    if (window_ == nullptr) return false;
    int width = 0, height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    Viewport view = FitPicture(width, height, kPictureWidth, kPictureHeight);
    PicturePoint at = PictureToWindow(view, x, y, kPictureWidth, kPictureHeight);
    SDL_WarpMouseInWindow(window_, at.x, at.y);
    return true;
}

platform::CursorHandle SdlSystem::SetCursor(platform::CursorHandle cursor) {
    platform::CursorHandle previous = cursorHidden_ ? nullptr : ArrowCursor();
    cursorHidden_ = cursor == nullptr;
    SDL_ShowCursor(cursorHidden_ ? SDL_DISABLE : SDL_ENABLE);
    return previous;
}

uint32_t SdlSystem::GetTickCount() {
    return SDL_GetTicks();
}

}  // namespace sdl
