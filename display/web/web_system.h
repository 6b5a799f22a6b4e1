#pragma once

// The System of the browser: the 640x480 picture on the page's canvas, the page's keyboard,
// mouse, focus and visibility turned into the desktop's window messages, the software
// display surfaces, and saved games in the browser's persistent storage (the current
// directory). Frames are paced by the browser's painting, and a game waiting for messages
// gives the browser its turn until input arrives.

#include <cstdint>
#include <deque>
#include <vector>

#include "display/platform.h"
#include "display/soft/hosted_system.h"

namespace web {

// Page input as it arrived, before it becomes window messages.
struct PageEvent {
    enum class Kind { KeyDown, ButtonDown, ButtonUp, Move, Activate, Deactivate };
    Kind kind = Kind::Move;
    int virtualKey = 0;
    bool system = false;  // a key with Alt held, Alt itself or F10
    bool repeat = false;
    int x = 0;  // picture pixels
    int y = 0;
};

class WebSystem final : public soft::HostedSystem {
  public:
    WebSystem();

    // Called by the page's event handlers.
    void Arrive(const PageEvent& event);
    void SetKeyDown(int virtualKey, bool down);
    void MoveCursor(int x, int y) { cursor_ = platform::Point{x, y}; }
    bool Active() const { return active_; }

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
    int16_t GetKeyState(int virtualKey) override;
    bool GetCursorPos(platform::Point* point) override;
    bool SetCursorPos(int x, int y) override;
    platform::CursorHandle SetCursor(platform::CursorHandle cursor) override;
    uint32_t GetTickCount() override;

  private:
    void PumpEvents() override;
    bool WaitForEvents() override;
    bool WaitForEventsTimeout(uint32_t milliseconds) override;
    bool WaitForMessages() override;
    void Translate(const PageEvent& event);

    void ShowFrame(const platform::FrameView& frame) override;
    bool UploadRows(const platform::FrameView& frame, platform::RowBand rows) override;
    void Show() override;
    uint32_t Milliseconds() override;
    void Wait(uint32_t milliseconds) override;

    platform::WindowHandle gameWindow_ = nullptr;
    std::deque<PageEvent> pending_;
    bool active_ = false;
    bool cursorHidden_ = false;
    platform::Point cursor_{320, 240};
    uint8_t keyTable_[256] = {};
    // The page's picture, kept as RGBA bytes; only changed rows are converted.
    std::vector<uint8_t> rgba_;
    int rgbaWidth_ = 0;
    int rgbaHeight_ = 0;
};

}  // namespace web
