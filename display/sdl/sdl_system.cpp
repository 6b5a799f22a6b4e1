#include "display/sdl/sdl_system.h"

#include <SDL.h>
#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/sdl/key_map.h"
#include "display/sdl/letterbox.h"
#include "display/soft/file_search.h"
#include "display/soft/gdi.h"
#include "display/soft/soft_direct_draw.h"
#include "resources/embedded.h"

namespace sdl {

using platform::Result;

namespace {

constexpr int kPictureWidth = 640;
constexpr int kPictureHeight = 480;
constexpr int kIconResource = 101;
constexpr uint32_t kHtClient = 1;
constexpr uint32_t kMouseMove = 0x0200;
constexpr int kVkF10 = 0x79;

// Handles whose contents nobody reads: their addresses tell them apart.
char moduleToken, iconToken, arrowToken, brushToken, ddrawToken, dinputToken, entryToken;

bool IsLeftButtonEvent(const SDL_Event& event) {
    return (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) &&
           event.button.button == SDL_BUTTON_LEFT;
}

bool IsVirtualDriver(const char* driver) {
    return driver != nullptr &&
           (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0 ||
            std::strcmp(driver, "evdev") == 0);
}

intptr_t PointParam(int x, int y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(y) & 0xFFFF) << 16 |
                                 (static_cast<uint32_t>(x) & 0xFFFF));
}

bool EmbeddedLookup(const char* name, soft::EmbeddedBytes* out) {
    const EmbeddedFile* file = FindEmbeddedFile(name);
    if (file == nullptr) return false;
    out->data = file->data;
    out->size = file->size;
    return true;
}

}  // namespace

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

// --- Display objects ---------------------------------------------------------------------------

Result SdlSystem::Intercept(const char*, const char*, const std::string&) {
    return platform::DD_OK;
}

void SdlSystem::Destroyed(platform::Unknown* object) {
    std::erase(directDraws_, dynamic_cast<soft::SoftDirectDraw*>(object));
}

Result SdlSystem::DirectDrawCreate(const platform::Guid*, platform::DirectDraw** out,
                                   platform::Unknown* outer) {
    if (out == nullptr) return platform::DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (outer != nullptr) return platform::DDERR_INVALIDPARAMS;
    auto* directDraw = new soft::SoftDirectDraw(soft::PixelLayout::Rgb565, this);
    directDraw->SetPresenter(this);
    directDraws_.push_back(directDraw);
    *out = directDraw;
    return platform::DD_OK;
}

void SdlSystem::Present(const void* pixels, int pitch, int width, int height,
                        platform::PixelFormat format) {
    buttonChangedThisFrame_ = false;
    if (window_ == nullptr) return;
    frames_.Present(platform::FrameView{pixels, pitch, width, height, format});
}

// The whole picture again: the last frame, or black before the first.
void SdlSystem::Redraw() {
    if (!frames_.Repaint()) picture_.ShowBlank(kPictureWidth, kPictureHeight);
}

// --- Window ----------------------------------------------------------------------------------

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

uint16_t SdlSystem::RegisterClassA(const platform::WindowClass& windowClass) {
    return queue_.RegisterClass(windowClass);
}

platform::IconHandle SdlSystem::LoadIconA(platform::ModuleHandle, int resourceId) {
    if (resourceId != kIconResource) return nullptr;
    if (icon_ == nullptr) {
        const EmbeddedFile* file = FindEmbeddedFile("icon.bmp");
        if (file == nullptr) return nullptr;
        platform::BitmapHandle bitmap = soft::DecodeBitmap(file->data, file->size);
        if (bitmap == nullptr) return nullptr;
        icon_ = SDL_DuplicateSurface(soft::BitmapPixels(bitmap));
        soft::DeleteBitmap(bitmap);
        if (icon_ == nullptr) return nullptr;
    }
    return reinterpret_cast<platform::IconHandle>(&iconToken);
}

platform::CursorHandle SdlSystem::LoadCursorA(platform::ModuleHandle, int) {
    return reinterpret_cast<platform::CursorHandle>(&arrowToken);
}

platform::BrushHandle SdlSystem::GetStockObject(int) {
    return reinterpret_cast<platform::BrushHandle>(&brushToken);
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

    // Made at the desktop's size and place, so that it covers the screen even where no
    // window manager honours the full-screen request.
    window_ = SDL_CreateWindow(title != nullptr ? title : "", bounds.x, bounds.y, bounds.w,
                               bounds.h, SDL_WINDOW_HIDDEN | SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (window_ == nullptr) {
        std::fprintf(stderr, "Kestrion: the game window could not be made: %s\n", SDL_GetError());
        return nullptr;
    }
    picture_.Attach(window_);
    fullscreen_ = true;
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
        SDL_SetWindowSize(window_, kPictureWidth, kPictureHeight);
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
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

// --- Messages --------------------------------------------------------------------------------

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
                    // Full screen, the display is taken from the program as on the original
                    // desktop, so the repair of lost surfaces runs; a window keeps its own.
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

// --- Input and time ----------------------------------------------------------------------------

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
    platform::CursorHandle previous =
        cursorHidden_ ? nullptr : reinterpret_cast<platform::CursorHandle>(&arrowToken);
    cursorHidden_ = cursor == nullptr;
    SDL_ShowCursor(cursorHidden_ ? SDL_DISABLE : SDL_ENABLE);
    return previous;
}

uint32_t SdlSystem::GetTickCount() {
    return SDL_GetTicks();
}

// --- Files, facts and bitmaps ----------------------------------------------------------------

platform::FindHandle SdlSystem::FindFirstFileA(const char* pattern, platform::FindData* data) {
    return soft::FindFirst(soft::ListMatchingFiles("", pattern), data);
}

bool SdlSystem::FindNextFileA(platform::FindHandle find, platform::FindData* data) {
    return soft::FindNext(find, data);
}

bool SdlSystem::FindClose(platform::FindHandle find) {
    return soft::FindClose(find);
}

// The display layer needs nothing of the host, so it reports what the original display
// libraries found on a current NT-family system: version 6.1 with both libraries present.
bool SdlSystem::GetVersionExA(platform::OsVersionInfo* info) {
    if (info == nullptr || info->size != sizeof(platform::OsVersionInfo)) return false;
    info->platformId = platform::VER_PLATFORM_WIN32_NT;
    info->majorVersion = 6;
    info->minorVersion = 1;
    info->buildNumber = 7601;
    return true;
}

platform::LibraryHandle SdlSystem::LoadLibraryA(const char* name) {
    if (name == nullptr) return nullptr;
    if (strcasecmp(name, "DDRAW.DLL") == 0) {
        return reinterpret_cast<platform::LibraryHandle>(&ddrawToken);
    }
    if (strcasecmp(name, "DINPUT.DLL") == 0) {
        return reinterpret_cast<platform::LibraryHandle>(&dinputToken);
    }
    return nullptr;
}

void* SdlSystem::GetProcAddress(platform::LibraryHandle library, const char* name) {
    if (name == nullptr) return nullptr;
    auto* token = reinterpret_cast<char*>(library);
    if (token == &ddrawToken && std::strcmp(name, "DirectDrawCreate") == 0) return &entryToken;
    if (token == &dinputToken && std::strcmp(name, "DirectInputCreateA") == 0) return &entryToken;
    return nullptr;
}

bool SdlSystem::FreeLibrary(platform::LibraryHandle library) {
    return library != nullptr;
}

void SdlSystem::OutputDebugStringA(const char* text) {
    if (text != nullptr && SDL_getenv("KESTRION_DEBUG") != nullptr) std::fputs(text, stderr);
}

platform::ModuleHandle SdlSystem::GetModuleHandleA(const char*) {
    return reinterpret_cast<platform::ModuleHandle>(&moduleToken);
}

platform::BitmapHandle SdlSystem::LoadImageA(platform::ModuleHandle instance, const char* name,
                                             uint32_t type, int, int, uint32_t flags) {
    return soft::LoadImageByName(instance, name, type, flags, "", EmbeddedLookup);
}

int SdlSystem::GetObjectA(platform::BitmapHandle bitmap, int size, platform::BitmapInfo* info) {
    return soft::GetBitmapObject(bitmap, size, info);
}

bool SdlSystem::DeleteObject(platform::BitmapHandle bitmap) {
    return soft::DeleteBitmap(bitmap);
}

platform::DeviceContextHandle SdlSystem::CreateCompatibleDC(platform::DeviceContextHandle) {
    return soft::CreateMemoryDC();
}

platform::BitmapHandle SdlSystem::SelectObject(platform::DeviceContextHandle dc,
                                               platform::BitmapHandle bitmap) {
    return soft::SelectBitmap(dc, bitmap);
}

bool SdlSystem::DeleteDC(platform::DeviceContextHandle dc) {
    return soft::DeleteMemoryDC(dc);
}

bool SdlSystem::StretchBlt(platform::DeviceContextHandle dest, int x, int y, int width, int height,
                           platform::DeviceContextHandle source, int sourceX, int sourceY,
                           int sourceWidth, int sourceHeight, uint32_t rop) {
    return soft::StretchBlt(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                            sourceHeight, rop);
}

uint32_t SdlSystem::GetPixel(platform::DeviceContextHandle dc, int x, int y) {
    return soft::GetPixel(dc, x, y);
}

uint32_t SdlSystem::SetPixel(platform::DeviceContextHandle dc, int x, int y, uint32_t color) {
    return soft::SetPixel(dc, x, y, color);
}

}  // namespace sdl
