#include <SDL.h>

#include "display/sdl/key_map.h"
#include "display/sdl/sdl_system.h"
#include "display/soft/soft_direct_draw.h"

namespace sdl {

namespace {

constexpr uint32_t kHtClient = 1;
constexpr uint32_t kMouseMove = 0x0200;
constexpr int kVkF10 = 0x79;

bool IsLeftButtonEvent(const SDL_Event& event) {
    return (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) &&
           event.button.button == SDL_BUTTON_LEFT;
}

intptr_t PointParam(int x, int y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(y) & 0xFFFF) << 16 |
                                 (static_cast<uint32_t>(x) & 0xFFFF));
}

}  // namespace

// The game sees the button only as its state at each frame, so a quick click (a touchpad
// tap, a press and release between two frames) would vanish. After one change of the left
// button the events wait in SDL's queue, in their order, until the next frame is shown.
void SdlSystem::PumpEvents() {
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
        if (IsLeftButtonEvent(event)) {
            if (buttonChangedThisFrame_) break;
            buttonChangedThisFrame_ = true;
        }
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
                    frames_.ShowNext();
                    queue_.Post(gameWindow_, platform::WM_ACTIVATEAPP, 1, 0);
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    // Full screen, leaving the program loses its display surfaces as it does on
                    // Win32, so the game's repair of lost surfaces runs on every platform; a
                    // window keeps its own.
                    if (fullscreen_) {
                        for (soft::SoftDirectDraw* directDraw : directDraws_) {
                            directDraw->MarkAllLost();
                        }
                    }
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
            queue_.Post(gameWindow_,
                        event.type == SDL_MOUSEBUTTONDOWN ? platform::WM_LBUTTONDOWN
                                                          : platform::WM_LBUTTONUP,
                        0, PointParam(at.x, at.y));
            break;
        }
        case SDL_MOUSEMOTION:
            if (!queue_.HasPosted(gameWindow_, platform::WM_SETCURSOR)) {
                queue_.Post(gameWindow_, platform::WM_SETCURSOR,
                            reinterpret_cast<uintptr_t>(gameWindow_),
                            static_cast<intptr_t>(kMouseMove << 16 | kHtClient));
            }
            break;
        default:
            break;
    }
}

bool SdlSystem::PeekMessageA(platform::Message* message, platform::WindowHandle window,
                             uint32_t filterMin, uint32_t filterMax, uint32_t removeFlags) {
    PumpEvents();
    return queue_.Peek(message, window, filterMin, filterMax, removeFlags);
}

int SdlSystem::GetMessageA(platform::Message* message, platform::WindowHandle window,
                           uint32_t filterMin, uint32_t filterMax) {
    PumpEvents();
    return queue_.Get(message, window, filterMin, filterMax, [this] {
        SDL_Event event;
        if (!SDL_WaitEvent(&event)) return false;
        Translate(event);
        keyTableStale_ = true;
        return true;
    });
}

bool SdlSystem::TranslateMessage(const platform::Message* message) {
    return message != nullptr;
}

intptr_t SdlSystem::DispatchMessageA(const platform::Message* message) {
    return queue_.Dispatch(message);
}

intptr_t SdlSystem::DefWindowProcA(platform::WindowHandle window, uint32_t message,
                                   uintptr_t wParam, intptr_t lParam) {
    if (message == platform::WM_CLOSE) {
        DestroyWindow(window);
        return 0;
    }
    return queue_.DefWindowProc(window, message, wParam, lParam);
}

bool SdlSystem::PostMessageA(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                             intptr_t lParam) {
    return queue_.Post(window, message, wParam, lParam);
}

void SdlSystem::PostQuitMessage(int exitCode) {
    queue_.PostQuit(exitCode);
}

bool SdlSystem::WaitMessage() {
    // No frames are shown while the game waits, so held button events go on at once.
    buttonChangedThisFrame_ = false;
    PumpEvents();
    if (!queue_.Empty()) return true;
    SDL_Event event;
    if (!SDL_WaitEvent(&event)) return false;
    Translate(event);
    PumpEvents();
    return true;
}

}  // namespace sdl
