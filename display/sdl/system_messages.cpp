#include <SDL.h>

#include <algorithm>
#include <cstdint>

#include "display/sdl/key_map.h"
#include "display/sdl/sdl_system.h"

namespace sdl {

namespace {

constexpr int kVkF10 = 0x79;

bool IsLeftButtonEvent(const SDL_Event& event) {
    return (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) &&
           event.button.button == SDL_BUTTON_LEFT;
}

}  // namespace

// Held back after a change of the left button (a touchpad tap is a press and release
// between two frames), the events wait in SDL's queue in their order.
void SdlSystem::PumpEvents() {
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
        if (IsLeftButtonEvent(event) && !AdmitButtonChange()) break;
        SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
        Translate(event);
    }
    keyTableStale_ = true;
}

void SdlSystem::Translate(const SDL_Event& event) {
    if (gameWindow_ == nullptr) return;
    switch (event.type) {
        case SDL_QUIT:
            if (!queue_.HasPosted(gameWindow_, platform::WM_CLOSE)) {
                queue_.Post(gameWindow_, platform::WM_CLOSE, 0, 0);
            }
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    if (!queue_.HasPosted(gameWindow_, platform::WM_CLOSE)) {
                        queue_.Post(gameWindow_, platform::WM_CLOSE, 0, 0);
                    }
                    break;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    // Shown again at once: a still game draws no frame of its own, and one
                    // that was never told it had lost the focus does not even notice this.
                    PictureLost();
                    queue_.Post(gameWindow_, platform::WM_ACTIVATEAPP, 1, 0);
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    // Full screen, leaving the program loses its display surfaces as it does on
                    // Win32, so the game's repair of lost surfaces runs on every platform; a
                    // window keeps its own.
                    if (fullscreen_) LoseSurfaces();
                    queue_.Post(gameWindow_, platform::WM_ACTIVATEAPP, 0, 0);
                    break;
                case SDL_WINDOWEVENT_SHOWN:
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    PictureLost();
                    break;
                default:
                    break;
            }
            break;
        // Where SDL shows the window's surface through a texture of its own (away from X11),
        // a reset renderer loses it.
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            PictureLost();
            break;
        case SDL_KEYDOWN: {
            const SDL_Keysym& key = event.key.keysym;
            bool alt = (key.mod & KMOD_ALT) != 0;
            if (alt && (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER)) {
                if (!event.key.repeat) ToggleFullscreen();
                break;
            }
            int code = VirtualKeyFor(key.sym, key.scancode);
            if (code == 0) break;
            // As on the desktop, keys with Alt held, Alt itself and F10 are system keys.
            bool system = alt || code == platform::VK_MENU || code == kVkF10;
            intptr_t lParam = 1 | (static_cast<intptr_t>(key.scancode & 0xFF) << 16) |
                              (event.key.repeat ? (intptr_t{1} << 30) : 0);
            queue_.Post(gameWindow_, system ? platform::WM_SYSKEYDOWN : platform::WM_KEYDOWN,
                        static_cast<uintptr_t>(code), lParam);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            if (event.button.button != SDL_BUTTON_LEFT) break;
            platform::Point at = MouseToPicture(event.button.x, event.button.y);
            PostButton(gameWindow_, event.type == SDL_MOUSEBUTTONDOWN, at.x, at.y);
            break;
        }
        case SDL_MOUSEMOTION:
            PostCursorAsk(gameWindow_);
            break;
        default:
            break;
    }
}

bool SdlSystem::WaitForEvents() {
    SDL_Event event;
    if (!SDL_WaitEvent(&event)) return false;
    Translate(event);
    return true;
}

// The event stays in SDL's queue, so the pump that follows takes it in with the rest, held
// button changes included.
bool SdlSystem::WaitForEventsTimeout(uint32_t milliseconds) {
    if (milliseconds == platform::INFINITE) return SDL_WaitEvent(nullptr) == 1;
    const int limit = static_cast<int>(std::min<uint32_t>(milliseconds, INT32_MAX));
    return SDL_WaitEventTimeout(nullptr, limit) == 1;
}

bool SdlSystem::WaitForMessages() {
    if (!WaitForEvents()) return false;
    keyTableStale_ = true;
    return true;
}

}  // namespace sdl
