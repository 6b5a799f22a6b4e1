#pragma once

// The platform system on Win32: every operation is the system call of the same name, with
// handles and records converted. This header stays free of windows.h, so the Windows checks
// can install the system next to the game's own headers.

#include "display/platform.h"

namespace win32 {

class Win32System final : public platform::System {
  public:
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
    bool WaitMessageTimeout(uint32_t milliseconds) override;

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

    // Operating-system facts and DirectDraw (system_libraries.cpp).
    bool GetVersionExA(platform::OsVersionInfo* info) override;
    platform::LibraryHandle LoadLibraryA(const char* name) override;
    void* GetProcAddress(platform::LibraryHandle library, const char* name) override;
    bool FreeLibrary(platform::LibraryHandle library) override;
    void OutputDebugStringA(const char* text) override;
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
};

}  // namespace win32
