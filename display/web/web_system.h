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
    // Typed: a character from the page's name field, as the key that types it; Leave: the
    // finger of a touch has gone, and the game's pointer with it.
    enum class Kind { KeyDown, ButtonDown, ButtonUp, Move, Activate, Deactivate, Typed, Leave };
    Kind kind = Kind::Move;
    int virtualKey = 0;
    bool system = false;  // a key with Alt held, Alt itself or F10
    bool repeat = false;
    bool shift = false;  // Typed: the key is typed with Shift held
    // Touch input: the game's pointer is put at (x, y) when the event is taken, not when it
    // arrives, since a finger's events can wait for frames behind each other.
    bool placesCursor = false;
    int x = 0;  // picture pixels
    int y = 0;
};

// Where the game's pointer goes when a touch ends: off the picture, so neither the pointer
// nor a tooltip under it stays behind on the screen.
inline constexpr int kPointerAway = -100;

class WebSystem final : public soft::HostedSystem {
  public:
    WebSystem();

    // Called by the page's event handlers.
    void Arrive(const PageEvent& event);
    void SetKeyDown(int virtualKey, bool down);
    void MoveCursor(int x, int y) { cursor_ = platform::Point{x, y}; }
    bool Active() const { return active_; }
    // Typed events not yet taken by the game.
    int PendingTyped() const;
    // Called after each frame the page shows (may be null).
    void SetAfterFrame(void (*afterFrame)()) { afterFrame_ = afterFrame; }

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
    bool typedShift_ = false;  // Shift held for the last typed character, until its frame ends
    void (*afterFrame_)() = nullptr;
    platform::Point cursor_{320, 240};
    uint8_t keyTable_[256] = {};
    // The page's picture, kept as RGBA bytes; only changed rows are converted.
    std::vector<uint8_t> rgba_;
    int rgbaWidth_ = 0;
    int rgbaHeight_ = 0;
};

}  // namespace web
