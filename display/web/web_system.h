#pragma once

// The System of the browser: the 640x480 picture on the page's canvas, the page's keyboard,
// mouse, focus and visibility turned into the desktop's window messages, the software
// display surfaces, and saved games in the browser's persistent storage (the current
// directory). Frames are paced by the browser's painting, and a game waiting for messages
// gives the browser its turn until input arrives.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "display/frame_presenter.h"
#include "display/message_queue.h"
#include "display/platform.h"
#include "display/soft/call_observer.h"

namespace soft {
class SoftDirectDraw;
}

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

class WebSystem final : public platform::System,
                        private soft::CallObserver,
                        private soft::Presenter,
                        private platform::FrameScreen {
  public:
    WebSystem();
    ~WebSystem() override;
    WebSystem(const WebSystem&) = delete;
    WebSystem& operator=(const WebSystem&) = delete;

    // Called by the page's event handlers.
    void Arrive(const PageEvent& event);
    void SetKeyDown(int virtualKey, bool down);
    void MoveCursor(int x, int y) { cursor_ = platform::Point{x, y}; }
    bool Active() const { return active_; }

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
    int16_t GetKeyState(int virtualKey) override;
    bool GetCursorPos(platform::Point* point) override;
    bool SetCursorPos(int x, int y) override;
    platform::CursorHandle SetCursor(platform::CursorHandle cursor) override;
    uint32_t GetTickCount() override;
    platform::FindHandle FindFirstFileA(const char* pattern, platform::FindData* data) override;
    bool FindNextFileA(platform::FindHandle find, platform::FindData* data) override;
    bool FindClose(platform::FindHandle find) override;
    bool GetVersionExA(platform::OsVersionInfo* info) override;
    platform::LibraryHandle LoadLibraryA(const char* name) override;
    void* GetProcAddress(platform::LibraryHandle library, const char* name) override;
    bool FreeLibrary(platform::LibraryHandle library) override;
    void OutputDebugStringA(const char* text) override;
    platform::Result DirectDrawCreate(const platform::Guid* driver, platform::DirectDraw** out,
                                      platform::Unknown* outer) override;
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

    void PumpEvents();
    void Translate(const PageEvent& event);

    platform::MessageQueue queue_;
    platform::WindowHandle gameWindow_ = nullptr;
    std::deque<PageEvent> pending_;
    bool buttonChangedThisFrame_ = false;
    bool active_ = false;
    bool cursorHidden_ = false;
    platform::Point cursor_{320, 240};
    uint8_t keyTable_[256] = {};
    std::vector<soft::SoftDirectDraw*> directDraws_;
    // The page's picture, kept as RGBA bytes; only changed rows are converted.
    std::vector<uint8_t> rgba_;
    int rgbaWidth_ = 0;
    int rgbaHeight_ = 0;
    // Frames are paced by the browser's painting, so the presenter's own pace is off.
    platform::FramePresenter frames_{*this};
};

}  // namespace web
