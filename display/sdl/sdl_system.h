#pragma once

// The System of the SDL2 desktop: one window filling the desktop (or a 640x480 window after
// Alt+Enter) that shows the flipped 640x480 picture scaled to fit with its shape kept, SDL
// input turned into the desktop's window messages, and the software display surfaces.

#include <cstdint>
#include <string>
#include <vector>

#include "display/frame_presenter.h"
#include "display/message_queue.h"
#include "display/platform.h"
#include "display/sdl/window_picture.h"
#include "display/soft/call_observer.h"

struct SDL_Window;
struct SDL_Surface;
union SDL_Event;

namespace soft {
class SoftDirectDraw;
}

namespace sdl {

class SdlSystem final : public platform::System,
                        private soft::CallObserver,
                        private soft::Presenter,
                        private platform::FrameScreen {
  public:
    SdlSystem();
    ~SdlSystem() override;
    SdlSystem(const SdlSystem&) = delete;
    SdlSystem& operator=(const SdlSystem&) = delete;

    bool Fullscreen() const { return fullscreen_; }
    // How many flipped frames reached the window, and how many were equal to the one shown.
    const platform::FramePresenter& Frames() const { return frames_; }
    // Alt+Enter: between the desktop-filling window and a 640x480 resizable one. Tells
    // `switched` (when set) the new state.
    void ToggleFullscreen();
    // Before the window is made: whether it starts full screen, and who hears of switches.
    void StartScreen(bool fullScreen, void (*switched)(bool fullScreen)) {
        startFullscreen_ = fullScreen;
        switched_ = switched;
    }

    // Window (system_window.cpp).
    uint16_t RegisterClassA(const platform::WindowClass& windowClass) override;
    platform::IconHandle LoadIconA(platform::ModuleHandle instance, int resourceId) override;
    platform::CursorHandle LoadCursorA(platform::ModuleHandle instance, int cursorId) override;
    platform::BrushHandle GetStockObject(int object) override;
    platform::WindowHandle CreateWindowExA(uint32_t exStyle, const char* className,
                                           const char* title, uint32_t style, int x, int y,
                                           int width, int height, platform::WindowHandle parent,
                                           platform::ModuleHandle instance) override;
    bool ShowWindow(platform::WindowHandle window, int showCommand) override;
    bool UpdateWindow(platform::WindowHandle window) override;
    bool DestroyWindow(platform::WindowHandle window) override;
    int MessageBoxA(platform::WindowHandle owner, const char* text, const char* caption,
                    uint32_t type) override;

    // Messages (system_messages.cpp).
    bool PeekMessageA(platform::Message* message, platform::WindowHandle window, uint32_t filterMin,
                      uint32_t filterMax, uint32_t removeFlags) override;
    int GetMessageA(platform::Message* message, platform::WindowHandle window, uint32_t filterMin,
                    uint32_t filterMax) override;
    bool TranslateMessage(const platform::Message* message) override;
    intptr_t DispatchMessageA(const platform::Message* message) override;
    intptr_t DefWindowProcA(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) override;
    bool PostMessageA(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                      intptr_t lParam) override;
    void PostQuitMessage(int exitCode) override;
    bool WaitMessage() override;

    // Input and time (system_input.cpp).
    int16_t GetKeyState(int virtualKey) override;
    bool GetCursorPos(platform::Point* point) override;
    bool SetCursorPos(int x, int y) override;
    platform::CursorHandle SetCursor(platform::CursorHandle cursor) override;
    uint32_t GetTickCount() override;

    // Directory search (system_files.cpp).
    platform::FindHandle FindFirstFileA(const char* pattern, platform::FindData* data) override;
    bool FindNextFileA(platform::FindHandle find, platform::FindData* data) override;
    bool FindClose(platform::FindHandle find) override;

    // Operating-system facts and libraries (system_libraries.cpp).
    bool GetVersionExA(platform::OsVersionInfo* info) override;
    platform::LibraryHandle LoadLibraryA(const char* name) override;
    void* GetProcAddress(platform::LibraryHandle library, const char* name) override;
    bool FreeLibrary(platform::LibraryHandle library) override;
    void OutputDebugStringA(const char* text) override;

    // Display objects and the flip to the window (system_surfaces.cpp).
    platform::Result DirectDrawCreate(const platform::Guid* driver, platform::DirectDraw** out,
                                      platform::Unknown* outer) override;

    // Bitmaps and device contexts (system_bitmaps.cpp).
    platform::ModuleHandle GetModuleHandleA(const char* name) override;
    platform::BitmapHandle LoadImageA(platform::ModuleHandle instance, const char* name,
                                      uint32_t type, int cx, int cy, uint32_t flags) override;
    int GetObjectA(platform::BitmapHandle bitmap, int size, platform::BitmapInfo* info) override;
    bool DeleteObject(platform::BitmapHandle bitmap) override;
    platform::DeviceContextHandle CreateCompatibleDC(platform::DeviceContextHandle dc) override;
    platform::BitmapHandle SelectObject(platform::DeviceContextHandle dc,
                                        platform::BitmapHandle bitmap) override;
    bool DeleteDC(platform::DeviceContextHandle dc) override;
    bool StretchBlt(platform::DeviceContextHandle dest, int x, int y, int width, int height,
                    platform::DeviceContextHandle source, int sourceX, int sourceY, int sourceWidth,
                    int sourceHeight, uint32_t rop) override;
    uint32_t GetPixel(platform::DeviceContextHandle dc, int x, int y) override;
    uint32_t SetPixel(platform::DeviceContextHandle dc, int x, int y, uint32_t color) override;

  private:
    // Window.
    // Starts SDL's video on a real display; false (with the reason in *reason) when only
    // a virtual driver is there and none was asked for by SDL_VIDEODRIVER.
    bool OpenVideo(std::string* reason);
    void CloseWindow();

    // Messages.
    void PumpEvents();
    void Translate(const SDL_Event& event);

    // Input.
    void RefreshKeyTable();
    platform::Point MouseToPicture(int windowX, int windowY) const;

    // Display objects and the flip.
    platform::Result Intercept(const char* operation, const char* subject,
                               const std::string& call) override;
    bool InterceptsCalls() const override { return false; }
    void Destroyed(platform::Unknown* object) override;
    void Present(const void* pixels, int pitch, int width, int height,
                 platform::PixelFormat format) override;
    bool UploadRows(const platform::FrameView& frame, platform::RowBand rows) override;
    void Show() override;
    uint32_t Milliseconds() override;
    void Wait(uint32_t milliseconds) override;
    // The whole picture again: the last frame, or black before the first.
    void Redraw();
    // What the window showed may be gone: shown again now and with the next frame.
    void PictureLost();

    platform::MessageQueue queue_;
    platform::WindowHandle gameWindow_ = nullptr;
    SDL_Window* window_ = nullptr;
    WindowPicture picture_;
    bool videoOpen_ = false;
    bool fullscreen_ = true;
    bool startFullscreen_ = true;
    void (*switched_)(bool fullScreen) = nullptr;
    bool cursorHidden_ = false;
    platform::FramePresenter frames_{*this};
    SDL_Surface* icon_ = nullptr;
    std::vector<soft::SoftDirectDraw*> directDraws_;
    bool keyTableStale_ = true;
    bool buttonChangedThisFrame_ = false;
    uint8_t keyTable_[256] = {};
};

}  // namespace sdl
