#pragma once

// The System of the SDL2 desktop: one window filling the desktop (or a 640x480 window after
// Alt+Enter) that shows the flipped 640x480 picture scaled to fit with its shape kept, SDL
// input turned into the desktop's window messages, and the software display surfaces.

#include <cstdint>
#include <string>

#include "display/platform.h"
#include "display/sdl/window_picture.h"
#include "display/soft/hosted_system.h"

struct SDL_Window;
struct SDL_Surface;
union SDL_Event;

namespace sdl {

class SdlSystem final : public soft::HostedSystem {
  public:
    SdlSystem();
    ~SdlSystem() override;

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
    platform::IconHandle LoadIconA(platform::ModuleHandle instance, int resourceId) override;
    platform::WindowHandle CreateWindowExA(uint32_t exStyle, const char* className,
                                           const char* title, uint32_t style, int x, int y,
                                           int width, int height, platform::WindowHandle parent,
                                           platform::ModuleHandle instance) override;
    bool ShowWindow(platform::WindowHandle window, int showCommand) override;
    bool UpdateWindow(platform::WindowHandle window) override;
    bool DestroyWindow(platform::WindowHandle window) override;
    int MessageBoxA(platform::WindowHandle owner, const char* text, const char* caption,
                    uint32_t type) override;

    // Input and time (system_input.cpp).
    int16_t GetKeyState(int virtualKey) override;
    bool GetCursorPos(platform::Point* point) override;
    bool SetCursorPos(int x, int y) override;
    platform::CursorHandle SetCursor(platform::CursorHandle cursor) override;
    uint32_t GetTickCount() override;

    // Debug text on stderr when KESTRION_DEBUG is set.
    void OutputDebugStringA(const char* text) override;

  private:
    // Window.
    // Starts SDL's video on a real display; false (with the reason in *reason) when only
    // a virtual driver is there and none was asked for by SDL_VIDEODRIVER.
    bool OpenVideo(std::string* reason);
    void CloseWindow();

    // Messages (system_messages.cpp).
    void PumpEvents() override;
    bool WaitForEvents() override;
    bool WaitForEventsTimeout(uint32_t milliseconds) override;
    bool WaitForMessages() override;
    void Translate(const SDL_Event& event);

    // Input.
    void RefreshKeyTable();
    platform::Point MouseToPicture(int windowX, int windowY) const;

    // The flip to the window (system_frames.cpp).
    void ShowFrame(const platform::FrameView& frame) override;
    bool UploadRows(const platform::FrameView& frame, platform::RowBand rows) override;
    void Show() override;
    uint32_t Milliseconds() override;
    void Wait(uint32_t milliseconds) override;
    // The whole picture again: the last frame, or black before the first.
    void Redraw();
    // What the window showed may be gone: shown again now and with the next frame.
    void PictureLost();

    platform::WindowHandle gameWindow_ = nullptr;
    SDL_Window* window_ = nullptr;
    WindowPicture picture_;
    bool videoOpen_ = false;
    bool fullscreen_ = true;
    bool startFullscreen_ = true;
    void (*switched_)(bool fullScreen) = nullptr;
    bool cursorHidden_ = false;
    SDL_Surface* icon_ = nullptr;
    bool keyTableStale_ = true;
    uint8_t keyTable_[256] = {};
};

}  // namespace sdl
