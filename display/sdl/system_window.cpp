#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "display/sdl/letterbox.h"
#include "display/sdl/sdl_system.h"
#include "display/sdl/system_shared.h"
#include "display/sdl_decode/sdl_bitmap_decoder.h"
#include "resources/embedded.h"

namespace sdl {

namespace {

constexpr int kIconResource = 101;

// A handle whose contents nobody reads.
char iconToken;

bool IsVirtualDriver(const char* driver) {
    return driver != nullptr &&
           (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0 ||
            std::strcmp(driver, "evdev") == 0);
}

// The window the picture gets on a display: 640x480 wherever it fits (in the middle, as
// the system places it), else shrunk to the display's free area.
SDL_Rect WindowPlace(int display) {
    SDL_Rect place{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kPictureWidth, kPictureHeight};
    SDL_Rect area{};
    if (SDL_GetDisplayUsableBounds(display, &area) != 0 &&
        SDL_GetDisplayBounds(display, &area) != 0) {
        return place;
    }
    Viewport shrunk{};
    if (ShrinkWindowToFit(Viewport{area.x, area.y, area.w, area.h}, kPictureWidth, kPictureHeight,
                          &shrunk)) {
        place = SDL_Rect{shrunk.x, shrunk.y, shrunk.width, shrunk.height};
    }
    return place;
}

}  // namespace

bool SdlSystem::OpenVideo(std::string* reason) {
    if (videoOpen_) return true;
    const char* requested = SDL_getenv("SDL_VIDEODRIVER");
    bool asked = requested != nullptr && *requested != '\0';
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        *reason = SDL_GetError();
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (IsVirtualDriver(driver) && !asked) {
        *reason = std::string("only the virtual video driver '") + driver + "' is available";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    // X11 hands the window's pixels over in shared memory, a band of rows at a time; left to
    // itself, SDL would render the whole window through a texture for every update.
    if (driver != nullptr && std::strcmp(driver, "x11") == 0) {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    videoOpen_ = true;
    return true;
}

platform::IconHandle SdlSystem::LoadIconA(platform::ModuleHandle, int resourceId) {
    if (resourceId != kIconResource) return nullptr;
    if (icon_ == nullptr) {
        const EmbeddedFile* file = FindEmbeddedFile("icon.bmp");
        if (file == nullptr) return nullptr;
        icon_ = DecodeSdlSurface(file->data, file->size);
        if (icon_ == nullptr) return nullptr;
    }
    return reinterpret_cast<platform::IconHandle>(&iconToken);
}

platform::WindowHandle SdlSystem::CreateWindowExA(uint32_t, const char* className,
                                                  const char* title, uint32_t style, int, int, int,
                                                  int, platform::WindowHandle,
                                                  platform::ModuleHandle) {
    const platform::WindowClass* windowClass = queue_.FindClass(className);
    if (windowClass == nullptr || window_ != nullptr) return nullptr;
    std::string reason;
    if (!OpenVideo(&reason)) {
        // The caller treats a missing window as a silent failure, so the reason is told here.
        std::fprintf(stderr,
                     "Kestrion: no display to open the game window on (%s). Start it on an X11 "
                     "or Wayland desktop (DISPLAY or WAYLAND_DISPLAY set).\n",
                     reason.c_str());
        return nullptr;
    }
    SDL_DisplayMode desktop{};
    SDL_Rect bounds{0, 0, kPictureWidth, kPictureHeight};
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        SDL_GetDisplayBounds(0, &bounds);
        bounds.w = desktop.w;
        bounds.h = desktop.h;
    }
    int refresh = desktop.refresh_rate > 0 ? desktop.refresh_rate : 60;
    frames_.SetFramePeriod(static_cast<uint32_t>(1000 / std::clamp(refresh, 30, 240)));

    if (startFullscreen_) {
        // Made at the desktop's size and place, so that it covers the screen even where no
        // window manager honours the full-screen request.
        window_ = SDL_CreateWindow(title != nullptr ? title : "", bounds.x, bounds.y, bounds.w,
                                   bounds.h, SDL_WINDOW_HIDDEN | SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        const SDL_Rect place = WindowPlace(0);
        window_ = SDL_CreateWindow(title != nullptr ? title : "", place.x, place.y, place.w,
                                   place.h, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    }
    if (window_ == nullptr) {
        std::fprintf(stderr, "Kestrion: the game window could not be made: %s\n", SDL_GetError());
        return nullptr;
    }
    picture_.Attach(window_);
    fullscreen_ = startFullscreen_;
    if (windowClass->icon != nullptr && icon_ != nullptr) SDL_SetWindowIcon(window_, icon_);
    gameWindow_ = queue_.CreateWindow(className, title, style);
    return gameWindow_;
}

void SdlSystem::CloseWindow() {
    picture_.Attach(nullptr);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    window_ = nullptr;
}

bool SdlSystem::ShowWindow(platform::WindowHandle window, int) {
    if (window != gameWindow_ || window_ == nullptr) return false;
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    SDL_SetWindowInputFocus(window_);
    Redraw();
    // The desktop activates a window it shows. Where no window manager hands out focus the
    // focus event may never come, so activation does not wait for it.
    queue_.Post(gameWindow_, platform::WM_ACTIVATEAPP, 1, 0);
    // Give the focus a moment to arrive, so keys held at start (Shift) are known at once.
    uint32_t start = SDL_GetTicks();
    SDL_Event event;
    while (SDL_GetTicks() - start < 100 &&
           !(SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS)) {
        if (SDL_WaitEventTimeout(&event, 10)) Translate(event);
    }
    keyTableStale_ = true;
    return false;  // it was hidden before
}

bool SdlSystem::UpdateWindow(platform::WindowHandle window) {
    if (window != gameWindow_ || window_ == nullptr) return false;
    Redraw();
    return true;
}

bool SdlSystem::DestroyWindow(platform::WindowHandle window) {
    if (!queue_.DestroyWindow(window)) return false;
    if (window == gameWindow_) {
        gameWindow_ = nullptr;
        CloseWindow();
    }
    return true;
}

void SdlSystem::ToggleFullscreen() {
    if (window_ == nullptr) return;
    if (fullscreen_) {
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowBordered(window_, SDL_TRUE);
        SDL_SetWindowResizable(window_, SDL_TRUE);
        const SDL_Rect place = WindowPlace(SDL_GetWindowDisplayIndex(window_));
        SDL_SetWindowSize(window_, place.w, place.h);
        SDL_SetWindowPosition(window_, place.x, place.y);
    } else {
        SDL_Rect bounds{0, 0, kPictureWidth, kPictureHeight};
        SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window_), &bounds);
        SDL_SetWindowResizable(window_, SDL_FALSE);
        SDL_SetWindowBordered(window_, SDL_FALSE);
        SDL_SetWindowPosition(window_, bounds.x, bounds.y);
        SDL_SetWindowSize(window_, bounds.w, bounds.h);
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    fullscreen_ = !fullscreen_;
    PictureLost();
    if (switched_ != nullptr) switched_(fullscreen_);
}

int SdlSystem::MessageBoxA(platform::WindowHandle, const char* text, const char* caption,
                           uint32_t) {
    const char* shownText = text != nullptr ? text : "";
    const char* shownCaption = caption != nullptr ? caption : "";
    std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
    // A virtual display has no one to close a box; where no display answers at all, SDL
    // gives up by itself and the text on stderr is what remains.
    if (!IsVirtualDriver(videoOpen_ ? SDL_GetCurrentVideoDriver()
                                    : SDL_getenv("SDL_VIDEODRIVER"))) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, shownCaption, shownText, window_);
    }
    return 1;  // IDOK
}

}  // namespace sdl
