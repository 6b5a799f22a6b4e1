#pragma once

// The part of a System that runs on top of another platform (a desktop library, a browser
// page) and is the same whatever that platform is: the software display objects, bitmaps
// and device contexts, the window-message rules, the directory search of the current
// directory, and the answers the game's start-up probe expects of the operating system.
// A host adds its window, its input as messages, its clock, message boxes and the showing
// of frames, and brings its own bitmap decoder and embedded sheets.

#include <cstdint>
#include <vector>

#include "display/frame_presenter.h"
#include "display/message_queue.h"
#include "display/platform.h"
#include "display/soft/call_observer.h"
#include "display/soft/gdi.h"

namespace soft {

class SoftDirectDraw;

class HostedSystem : public platform::System,
                     private CallObserver,
                     private Presenter,
                     private platform::FrameScreen {
  public:
    ~HostedSystem() override;
    HostedSystem(const HostedSystem&) = delete;
    HostedSystem& operator=(const HostedSystem&) = delete;

    // Window classes (hosted_system.cpp).
    uint16_t RegisterClassA(const platform::WindowClass& windowClass) override;
    platform::CursorHandle LoadCursorA(platform::ModuleHandle instance, int cursorId) override;
    platform::BrushHandle GetStockObject(int object) override;

    // Messages (hosted_system.cpp).
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
    bool WaitMessageTimeout(uint32_t milliseconds) override;

    // Display objects (hosted_system.cpp).
    platform::Result DirectDrawCreate(const platform::Guid* driver, platform::DirectDraw** out,
                                      platform::Unknown* outer) override;

    // Directory search (hosted_resources.cpp).
    platform::FindHandle FindFirstFileA(const char* pattern, platform::FindData* data) override;
    bool FindNextFileA(platform::FindHandle find, platform::FindData* data) override;
    bool FindClose(platform::FindHandle find) override;

    // Operating-system facts and libraries (hosted_resources.cpp). Debug text goes nowhere
    // unless the host shows it.
    bool GetVersionExA(platform::OsVersionInfo* info) override;
    platform::LibraryHandle LoadLibraryA(const char* name) override;
    void* GetProcAddress(platform::LibraryHandle library, const char* name) override;
    bool FreeLibrary(platform::LibraryHandle library) override;
    void OutputDebugStringA(const char* text) override;

    // Bitmaps and device contexts (hosted_resources.cpp).
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

  protected:
    // decode turns a bitmap file's bytes into a bitmap; embedded finds the sheets the
    // program carries.
    HostedSystem(BitmapDecoder decode, EmbeddedLookup embedded);

    // The one cursor the game uses, the arrow; the handle's contents are never read.
    static platform::CursorHandle ArrowCursor();

    // Turns the host's input that has arrived into messages.
    virtual void PumpEvents() = 0;
    // WaitMessage found nothing: blocks until the host has input, taking in what it likes
    // of it (the rest is pumped next). false: the host cannot wait any more.
    virtual bool WaitForEvents() = 0;
    // WaitMessageTimeout found nothing: blocks until the host has input, which it leaves
    // to be pumped, or until `milliseconds` have passed (platform::INFINITE: no limit).
    // false: the time ran out, or the host cannot wait.
    virtual bool WaitForEventsTimeout(uint32_t milliseconds) = 0;
    // GetMessageA found nothing: blocks until the host has input and turns it into
    // messages. false: nothing can arrive any more.
    virtual bool WaitForMessages() = 0;
    // A flipped frame, for the host to put on its screen through frames_.
    virtual void ShowFrame(const platform::FrameView& frame) = 0;

    // The desktop's messages for pointer input: a press or release of the left button at a
    // point of the picture, and a move over the window, which asks it for its cursor (once
    // while that ask waits in the queue).
    void PostButton(platform::WindowHandle window, bool down, int x, int y);
    void PostCursorAsk(platform::WindowHandle window);

    // Every display surface loses its memory, as when the display is taken from the program.
    void LoseSurfaces();

    // The game sees the left button only as its state at each frame, so a quick click (a
    // press and release between two frames) would vanish. After one change of the button
    // the host's events wait, in their order, until the next frame is shown (or the game
    // waits for messages, when no frame comes). false: this change has to wait.
    bool AdmitButtonChange();
    // The game waits for messages and shows no frame meanwhile: the next change may pass.
    void ReopenButtonChanges() { buttonChangedThisFrame_ = false; }

    platform::MessageQueue queue_;
    platform::FramePresenter frames_{*this};

  private:
    platform::Result Intercept(const char* operation, const char* subject,
                               const std::string& call) override;
    bool InterceptsCalls() const override { return false; }
    void Destroyed(platform::Unknown* object) override;
    void Present(const void* pixels, int pitch, int width, int height,
                 platform::PixelFormat format) override;

    bool buttonChangedThisFrame_ = false;
    BitmapDecoder decode_;
    EmbeddedLookup embedded_;
    std::vector<SoftDirectDraw*> directDraws_;
};

}  // namespace soft
