#pragma once

// FakeSystem: a headless, in-process System for tests. It runs the real software surfaces
// and the real window/message rules, records the calls the code under test makes, lets a
// test make any operation fail, and lets it set every fact and input the game reads.
//
// Typical use:
//     platform::FakeSystem fake;
//     fake.Install();                                   // platform::Sys() is now the fake
//     fake.Fail("SetDisplayMode");                      // every SetDisplayMode refuses
//     fake.Fail("Lock", platform::DDERR_GENERIC, 1, "backbuffer");  // next lock of it
//     fake.Fail("Flip", platform::DDERR_WASSTILLDRAWING, 3);        // busy three times
//     ... run the code ...
//     EXPECT_TRUE(fake.Called("MessageBoxA(Couldn't ...,Kestrion)"));
//     EXPECT_LT(fake.IndexOf("Release(primary)"), fake.IndexOf("MessageBoxA", true));
//
// Call log (fake.calls), one string per call, in order. Logged:
//   RegisterClassA(<class>)  LoadIconA(<id>)  LoadCursorA(<id>)  GetStockObject(<n>)
//   CreateWindowExA(<class>,<title>,0x<style>)  ShowWindow(<cmd>)  UpdateWindow
//   DestroyWindow  MessageBoxA(<text>,<caption>)  PostMessageA(0x<msg>,<w>,<l>)
//   PostQuitMessage(<code>)  WaitMessage  WaitMessageTimeout(<ms>|INFINITE)
//   SetCursorPos(<x>,<y>)  SetCursor(null|arrow)
//   FindFirstFileA(<pattern>)  FindClose  GetVersionExA  LoadLibraryA(<name>)
//   GetProcAddress(<name>)  FreeLibrary(<name>)  OutputDebugStringA(<text>)
//   DirectDrawCreate  LoadImageA(<name>,file|resource)  GetObjectA  DeleteObject
//   CreateCompatibleDC  SelectObject  DeleteDC  StretchBlt(<x>,<y>,<w>,<h>)
//   GetPixel(<x>,<y>)  SetPixel(<x>,<y>,0x<colour>)
// and every DirectDraw call, naming the surface as primary, backbuffer, "offscreen WxH" or
// "sysmem WxH":
//   SetCooperativeLevel(0x<flags>)  SetDisplayMode(<w>,<h>,<bpp>)  CreateSurface(primary)
//   CreateSurface(offscreen 32x32)  QueryInterface(DirectDraw)  QueryInterface(<surface>)
//   GetAttachedSurface(primary)  Flip(primary)  Blt(<surface>,<l>,<t>,<r>,<b>,fill=0x<c>)
//   BltFast(<dest>,<x>,<y>,<source>,<l>,<t>,<r>,<b>[,key])  Lock(<surface>,<l>,<t>,<r>,<b>)
//   Unlock(<surface>)  GetPixelFormat(<surface>)  SetColorKey(<surface>,0x<key>)
//   IsLost(<surface>)  Restore(<surface>)  GetDC(<surface>)  ReleaseDC(<surface>)
//   Release(<surface>)  Release(DirectDraw)
// Not logged (they run every frame): PeekMessageA, GetMessageA, TranslateMessage,
// DispatchMessageA, DefWindowProcA, GetKeyState, GetCursorPos, GetTickCount,
// GetModuleHandleA.
//
// Failures: Fail(operation, result, times, subject). operation is the name as logged
// without arguments; for a call that answers no Result (window creation, bitmaps, ...)
// any failure makes it answer null/false/0. subject narrows a DirectDraw failure to one
// kind of surface: "primary", "backbuffer", "offscreen", "sysmem" ("DirectDraw" for the
// object's own calls); for CreateSurface it is the kind being created. Names that fail:
//   CreateWindowExA RegisterClassA DirectDrawCreate SetCooperativeLevel SetDisplayMode
//   CreateSurface GetAttachedSurface QueryInterface Flip Blt BltFast Lock Unlock GetDC
//   ReleaseDC GetPixelFormat SetColorKey IsLost Restore GetVersionExA LoadLibraryA
//   GetProcAddress LoadImageA GetObjectA CreateCompatibleDC SelectObject StretchBlt
//   FindFirstFileA LoadIconA
// An unknown operation name aborts the test at once, so a misspelt failure cannot pass
// unnoticed.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "display/message_queue.h"
#include "display/platform.h"
#include "display/soft/call_observer.h"
#include "display/soft/pixel_layout.h"

namespace soft {
class SoftDirectDraw;
}

namespace platform {

// What GetVersionExA reports; the defaults are those of a current NT-family system.
struct FakeOsFacts {
    bool versionAvailable = true;
    uint32_t platformId = VER_PLATFORM_WIN32_NT;
    uint32_t majorVersion = 6;
    uint32_t minorVersion = 1;
    uint32_t buildNumber = 7601;
};

struct FakeMessageBox {
    WindowHandle owner;
    std::string text;
    std::string caption;
};

class FakeSystem final : public System, private soft::CallObserver, private soft::Presenter {
  public:
    static constexpr int kAlways = -1;

    FakeSystem();
    ~FakeSystem() override;
    FakeSystem(const FakeSystem&) = delete;
    FakeSystem& operator=(const FakeSystem&) = delete;

    // Makes platform::Sys() this fake until it is destroyed.
    void Install();

    // --- Call log -------------------------------------------------------------------------
    std::vector<std::string> calls;
    bool recording = true;  // false: nothing is added to calls
    void ClearCalls() { calls.clear(); }
    // Calls equal to call, or (prefix true) starting with it.
    size_t Count(std::string_view call, bool prefix = false) const;
    bool Called(std::string_view call, bool prefix = false) const;
    // Index of the first such call, or -1.
    int IndexOf(std::string_view call, bool prefix = false) const;

    // --- Failures -------------------------------------------------------------------------
    // The next `times` calls of operation (kAlways: every one until cleared), on subject
    // when one is given, answer result instead of running.
    void Fail(std::string_view operation, Result result = DDERR_GENERIC, int times = kAlways,
              std::string_view subject = {});
    void FailNext(std::string_view operation, Result result = DDERR_GENERIC,
                  std::string_view subject = {}) {
        Fail(operation, result, 1, subject);
    }
    void ClearFailures() { failures_.clear(); }

    // --- Display ----------------------------------------------------------------------------
    // Layout of the display made by the next DirectDrawCreate.
    soft::PixelLayout pixelLayout = soft::PixelLayout::Rgb565;
    // The display was taken away: every surface of every live DirectDraw object is lost.
    void LoseSurfaces();
    // The most recent live DirectDraw object, its primary and back buffer (null if none).
    DirectDraw* LastDirectDraw() const;
    Surface* Primary() const;
    Surface* BackBuffer() const;
    size_t LiveDirectDraws() const { return directDraws_.size(); }
    size_t LiveSurfaces() const;  // a primary with its back buffer counts 2
    bool IsLostSurface(Surface* surface) const;
    // The raw 16-bit value of a pixel, read past locks and loss.
    uint16_t PixelAt(Surface* surface, int x, int y) const;
    void SetPixelAt(Surface* surface, int x, int y, uint16_t value);
    // The picture shown by the latest successful Flip (width x height values, row by row).
    std::vector<uint16_t> lastFrame;
    int frameWidth = 0;
    int frameHeight = 0;
    int presentedFrames = 0;

    // --- Operating-system facts -------------------------------------------------------------
    FakeOsFacts os;
    // A library LoadLibraryA finds (name matched without case) with its entry points.
    // By default DDRAW.DLL (DirectDrawCreate) and DINPUT.DLL (DirectInputCreateA) exist.
    void SetLibrary(const std::string& name, std::vector<std::string> entryPoints);
    void RemoveLibrary(const std::string& name);
    int LoadedLibraries() const { return loadedLibraries_; }  // loaded and not yet freed
    std::vector<std::string> debugOutput;

    // --- Window and input --------------------------------------------------------------------
    WindowHandle Window() const { return queue_.MainWindow(); }
    MessageQueue& Queue() { return queue_; }
    // ShowWindow posts WM_ACTIVATEAPP(1), as the desktop activates a newly shown window.
    bool activateOnShow = true;
    // Called at the start of every PeekMessageA, WaitMessage, WaitMessageTimeout and empty
    // GetMessageA: the moment a real system gathers input. Tests script input here (post
    // messages, press keys, advance the clock) by counting calls. A timed wait that finds
    // nothing posted advances tickCount by its time.
    std::function<void(FakeSystem&)> onPump;
    // WaitMessage or WaitMessageTimeout with nothing queued after onPump this many times in
    // a row aborts: the real program would wait for ever.
    int idleWaitLimit = 10000;
    bool keys[256] = {};
    void SetKey(int virtualKey, bool down) { keys[virtualKey & 0xFF] = down; }
    Point cursor{0, 0};
    bool cursorHidden = false;
    uint32_t tickCount = 0;
    uint32_t tickStep = 0;  // added after every GetTickCount
    // MessageBoxA returns at once with messageBoxAnswer, after onMessageBox.
    std::vector<FakeMessageBox> messageBoxes;
    std::function<void(const FakeMessageBox&)> onMessageBox;
    int messageBoxAnswer = 1;

    // --- Files and bitmaps ----------------------------------------------------------------------
    // Where FindFirstFileA and loose bitmap files look; empty: the current directory.
    std::string directory;
    // An embedded sheet the program carries (name matched without case).
    void AddEmbeddedBitmap(const std::string& name, std::vector<uint8_t> bytes);
    size_t LiveBitmaps() const { return bitmaps_.size(); }
    size_t LiveMemoryDCs() const { return memoryDCs_.size(); }
    size_t OpenFinds() const { return finds_.size(); }

    // --- System -------------------------------------------------------------------------------
    uint16_t RegisterClassA(const WindowClass& windowClass) override;
    IconHandle LoadIconA(ModuleHandle instance, int resourceId) override;
    CursorHandle LoadCursorA(ModuleHandle instance, int cursorId) override;
    BrushHandle GetStockObject(int object) override;
    WindowHandle CreateWindowExA(uint32_t exStyle, const char* className, const char* title,
                                 uint32_t style, int x, int y, int width, int height,
                                 WindowHandle parent, ModuleHandle instance) override;
    bool ShowWindow(WindowHandle window, int showCommand) override;
    bool UpdateWindow(WindowHandle window) override;
    bool DestroyWindow(WindowHandle window) override;
    int MessageBoxA(WindowHandle owner, const char* text, const char* caption,
                    uint32_t type) override;
    bool PeekMessageA(Message* message, WindowHandle window, uint32_t filterMin, uint32_t filterMax,
                      uint32_t removeFlags) override;
    int GetMessageA(Message* message, WindowHandle window, uint32_t filterMin,
                    uint32_t filterMax) override;
    bool TranslateMessage(const Message* message) override;
    intptr_t DispatchMessageA(const Message* message) override;
    intptr_t DefWindowProcA(WindowHandle window, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) override;
    bool PostMessageA(WindowHandle window, uint32_t message, uintptr_t wParam,
                      intptr_t lParam) override;
    void PostQuitMessage(int exitCode) override;
    bool WaitMessage() override;
    bool WaitMessageTimeout(uint32_t milliseconds) override;
    int16_t GetKeyState(int virtualKey) override;
    bool GetCursorPos(Point* point) override;
    bool SetCursorPos(int x, int y) override;
    CursorHandle SetCursor(CursorHandle cursor) override;
    uint32_t GetTickCount() override;
    FindHandle FindFirstFileA(const char* pattern, FindData* data) override;
    bool FindNextFileA(FindHandle find, FindData* data) override;
    bool FindClose(FindHandle find) override;
    bool GetVersionExA(OsVersionInfo* info) override;
    LibraryHandle LoadLibraryA(const char* name) override;
    void* GetProcAddress(LibraryHandle library, const char* name) override;
    bool FreeLibrary(LibraryHandle library) override;
    void OutputDebugStringA(const char* text) override;
    Result DirectDrawCreate(const Guid* driver, DirectDraw** out, Unknown* outer) override;
    ModuleHandle GetModuleHandleA(const char* name) override;
    BitmapHandle LoadImageA(ModuleHandle instance, const char* name, uint32_t type, int cx, int cy,
                            uint32_t flags) override;
    int GetObjectA(BitmapHandle bitmap, int size, BitmapInfo* info) override;
    bool DeleteObject(BitmapHandle bitmap) override;
    DeviceContextHandle CreateCompatibleDC(DeviceContextHandle dc) override;
    BitmapHandle SelectObject(DeviceContextHandle dc, BitmapHandle bitmap) override;
    bool DeleteDC(DeviceContextHandle dc) override;
    bool StretchBlt(DeviceContextHandle dest, int x, int y, int width, int height,
                    DeviceContextHandle source, int sourceX, int sourceY, int sourceWidth,
                    int sourceHeight, uint32_t rop) override;
    uint32_t GetPixel(DeviceContextHandle dc, int x, int y) override;
    uint32_t SetPixel(DeviceContextHandle dc, int x, int y, uint32_t color) override;

  private:
    struct FailRule {
        std::string operation;
        std::string subject;
        Result result;
        int remaining;
    };

    void Record(std::string call);
    // DD_OK, or the answer of the first rule that matches (and is used up by) this call.
    Result Failing(std::string_view operation, std::string_view subject = {});
    Result Intercept(const char* operation, const char* subject, const std::string& call) override;
    void Destroyed(Unknown* object) override;
    void Present(const void* pixels, int pitch, int width, int height, PixelFormat format) override;
    void Pump();
    // One more wait in a row with nothing posted; aborts at idleWaitLimit.
    void CountIdleWait(const char* call);

    MessageQueue queue_;
    std::vector<FailRule> failures_;
    std::vector<soft::SoftDirectDraw*> directDraws_;
    std::map<std::string, std::vector<std::string>> libraries_;  // upper-case names
    int loadedLibraries_ = 0;
    std::map<std::string, std::vector<uint8_t>> embedded_;  // lower-case names
    std::set<BitmapHandle> bitmaps_;
    std::set<DeviceContextHandle> memoryDCs_;
    std::set<FindHandle> finds_;
    int idleWaits_ = 0;
    bool installed_ = false;
};

}  // namespace platform
