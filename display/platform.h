#pragma once

// The one system interface the game talks to: the window, messages, input, files, the
// operating-system facts and the 16-bit page-flipped display. It is shaped after the
// Win32 and DirectDraw calls the game was designed on, so a native Windows layer is a thin
// wrapper, while the SDL2 layer and the headless test double provide the same results.
// No type of any real platform library appears here.

#include <cstddef>
#include <cstdint>

namespace platform {

// ---------------------------------------------------------------------------------------
// Result codes of display operations. Callers tell apart only these three; every other
// nonzero value is a failure.
using Result = uint32_t;
inline constexpr Result DD_OK = 0;
inline constexpr Result DDERR_SURFACELOST = 0x887601C2u;
inline constexpr Result DDERR_WASSTILLDRAWING = 0x8876021Cu;
inline constexpr Result DDERR_GENERIC = 0x80004005u;
inline constexpr Result DDERR_INVALIDRECT = 0x88760096u;
inline constexpr Result DDERR_INVALIDPARAMS = 0x80070057u;
inline constexpr Result DDERR_OUTOFMEMORY = 0x8007000Eu;
inline constexpr Result DDERR_NOINTERFACE = 0x80004002u;
inline constexpr Result DDERR_NOTLOCKED = 0x88760248u;
inline constexpr Result DDERR_CANTCREATEDC = 0x88760249u;
// A blit, lock or device context asked for while the surface is locked or has a DC out.
inline constexpr Result DDERR_SURFACEBUSY = 0x887601AEu;

// Flags, with the values the desktop's display API gives them, so that the Win32 layer
// passes them to the system unchanged (display/win32/windows_api.h checks each one).
inline constexpr uint32_t DDSCL_FULLSCREEN = 0x1;
inline constexpr uint32_t DDSCL_NORMAL = 0x8;
inline constexpr uint32_t DDSCL_EXCLUSIVE = 0x10;

inline constexpr uint32_t DDSD_CAPS = 0x1;
inline constexpr uint32_t DDSD_HEIGHT = 0x2;
inline constexpr uint32_t DDSD_WIDTH = 0x4;
inline constexpr uint32_t DDSD_BACKBUFFERCOUNT = 0x20;

inline constexpr uint32_t DDSCAPS_BACKBUFFER = 0x4;
inline constexpr uint32_t DDSCAPS_COMPLEX = 0x8;
inline constexpr uint32_t DDSCAPS_FLIP = 0x10;
inline constexpr uint32_t DDSCAPS_OFFSCREENPLAIN = 0x40;
inline constexpr uint32_t DDSCAPS_PRIMARYSURFACE = 0x200;
inline constexpr uint32_t DDSCAPS_SYSTEMMEMORY = 0x800;

inline constexpr uint32_t DDBLT_COLORFILL = 0x400;
inline constexpr uint32_t DDBLTFAST_NOCOLORKEY = 0x0;
inline constexpr uint32_t DDBLTFAST_SRCCOLORKEY = 0x1;
inline constexpr uint32_t DDBLTFAST_WAIT = 0x10;

inline constexpr uint32_t DDLOCK_WAIT = 0x1;
inline constexpr uint32_t DDLOCK_NOSYSLOCK = 0x800;

inline constexpr uint32_t DDCKEY_SRCBLT = 0x8;
inline constexpr uint32_t DDPF_RGB = 0x40;

struct Rect {
    int32_t left, top, right, bottom;  // right and bottom exclusive
};

struct PixelFormat {
    uint32_t size = 32;
    uint32_t flags = 0;
    uint32_t fourCC = 0;
    uint32_t rgbBitCount = 0;
    uint32_t rBitMask = 0;
    uint32_t gBitMask = 0;
    uint32_t bBitMask = 0;
    uint32_t alphaBitMask = 0;
};

struct SurfaceCaps {
    uint32_t caps = 0;
};

// The surface description record. Its size field holds 108, the size of the desktop's own
// record, as every record passed to the display objects announces its size (the Win32 layer
// refuses a wrong one, as the system does); only these fields matter.
struct SurfaceDesc {
    uint32_t size = 108;
    uint32_t flags = 0;
    uint32_t height = 0;
    uint32_t width = 0;
    int32_t pitch = 0;  // Lock: bytes from one row to the next
    uint32_t backBufferCount = 0;
    void* surface = nullptr;  // Lock: address of the locked rectangle's top-left pixel
    PixelFormat pixelFormat;  // Lock: format of the pixels
    SurfaceCaps caps;
};

struct ColorKey {
    uint32_t low = 0;
    uint32_t high = 0;
};

struct BltFx {
    uint32_t size = 100;
    uint32_t fillColor = 0;
};

struct Guid {
    uint32_t data1;
    uint16_t data2, data3;
    uint8_t data4[8];
};
inline constexpr Guid IID_IDirectDraw2 = {
    0xB3A6F3E0, 0x2B43, 0x11CF, {0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};
inline constexpr Guid IID_IDirectDrawSurface3 = {
    0xDA044E00, 0x69B2, 0x11D0, {0xA1, 0xD5, 0x00, 0xAA, 0x00, 0xB8, 0xDF, 0xBB}};

// Opaque handles. Each implementation defines what stands behind them.
struct WindowObject;
struct ModuleObject;
struct LibraryObject;
struct IconObject;
struct CursorObject;
struct BrushObject;
struct BitmapObject;
struct DeviceContextObject;
struct FindObject;
using WindowHandle = WindowObject*;
using ModuleHandle = ModuleObject*;
using LibraryHandle = LibraryObject*;
using IconHandle = IconObject*;
using CursorHandle = CursorObject*;
using BrushHandle = BrushObject*;
using BitmapHandle = BitmapObject*;
using DeviceContextHandle = DeviceContextObject*;
using FindHandle = FindObject*;
inline const FindHandle kInvalidFindHandle = reinterpret_cast<FindHandle>(~uintptr_t{0});

// ---------------------------------------------------------------------------------------
// Reference-counted display objects.
class Unknown {
  public:
    // Answers DD_OK and a new reference in *out when the object offers the interface,
    // else DDERR_NOINTERFACE and null.
    virtual Result QueryInterface(const Guid& iid, Unknown** out) = 0;
    // Drops one reference; the object is freed when none is left. Returns what is left.
    virtual uint32_t Release() = 0;

  protected:
    virtual ~Unknown() = default;
};

class Surface : public Unknown {
  public:
    // Primary only: shows the attached back buffer. target is always null, flags 0.
    virtual Result Flip(Surface* target, uint32_t flags) = 0;
    // Only the colour fill is used: dest null means the whole surface.
    virtual Result Blt(const Rect* dest, Surface* source, const Rect* sourceRect, uint32_t flags,
                       const BltFx* fx) = 0;
    // Copies sourceRect (null: all of source) to (x, y). Refuses, with DDERR_INVALIDRECT,
    // a source rectangle that leaves the source surface or a destination that leaves this
    // surface: nothing is copied then. DDBLTFAST_SRCCOLORKEY leaves out source pixels equal
    // to the source's key.
    virtual Result BltFast(int32_t x, int32_t y, Surface* source, const Rect* sourceRect,
                           uint32_t flags) = 0;
    // rect null locks the whole surface. On success desc->surface points at the rectangle's
    // top-left pixel, desc->pitch is the row stride in bytes, desc->pixelFormat the format.
    virtual Result Lock(const Rect* rect, SurfaceDesc* desc, uint32_t flags, void* event) = 0;
    virtual Result Unlock(const Rect* rect) = 0;
    virtual Result GetPixelFormat(PixelFormat* format) = 0;
    virtual Result SetColorKey(uint32_t flags, const ColorKey* key) = 0;
    // DD_OK, or DDERR_SURFACELOST while the surface's memory is taken away.
    virtual Result IsLost() = 0;
    // Gives a lost surface its memory back (contents undefined); a no-op otherwise.
    virtual Result Restore() = 0;
    virtual Result GetAttachedSurface(const SurfaceCaps* caps, Surface** out) = 0;
    // A device context that draws into the surface (see System::StretchBlt).
    virtual Result GetDC(DeviceContextHandle* out) = 0;
    virtual Result ReleaseDC(DeviceContextHandle dc) = 0;
};

class DirectDraw : public Unknown {
  public:
    virtual Result SetCooperativeLevel(WindowHandle window, uint32_t flags) = 0;
    virtual Result SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) = 0;
    // Primary with back buffers (DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX),
    // or an off-screen plain surface of width x height in the display's 16-bit format.
    virtual Result CreateSurface(const SurfaceDesc* desc, Surface** out, Unknown* outer) = 0;
};

// ---------------------------------------------------------------------------------------
// Window messages and virtual-key codes.
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_QUIT = 0x0012;
inline constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
inline constexpr uint32_t WM_SETCURSOR = 0x0020;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;

inline constexpr uint32_t PM_NOREMOVE = 0x0;
inline constexpr uint32_t INFINITE = 0xFFFFFFFFu;  // a wait without a time limit
inline constexpr uint32_t PM_REMOVE = 0x1;
inline constexpr uint32_t MB_OK = 0x0;

inline constexpr int VK_BACK = 0x08;
inline constexpr int VK_TAB = 0x09;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_INSERT = 0x2D;
inline constexpr int VK_DELETE = 0x2E;
inline constexpr int VK_NUMPAD0 = 0x60;
inline constexpr int VK_F1 = 0x70;
inline constexpr int VK_F12 = 0x7B;

inline constexpr uint32_t CS_VREDRAW = 0x1;
inline constexpr uint32_t CS_HREDRAW = 0x2;
inline constexpr uint32_t WS_POPUP = 0x80000000u;
inline constexpr uint32_t WS_SYSMENU = 0x00080000u;
inline constexpr int IDC_ARROW = 32512;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int SW_SHOWNORMAL = 1;

using WindowProc = intptr_t (*)(WindowHandle window, uint32_t message, uintptr_t wParam,
                                intptr_t lParam);

struct WindowClass {
    uint32_t style = 0;
    WindowProc procedure = nullptr;
    ModuleHandle instance = nullptr;
    IconHandle icon = nullptr;
    CursorHandle cursor = nullptr;
    BrushHandle background = nullptr;
    const char* className = nullptr;
};

struct Message {
    WindowHandle window = nullptr;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

struct Point {
    int32_t x, y;
};

// ---------------------------------------------------------------------------------------
// Operating-system facts for the display-version probe.
inline constexpr uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr uint32_t VER_PLATFORM_WIN32_NT = 2;

struct OsVersionInfo {
    uint32_t size = 148;
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;
    uint32_t platformId = 0;
    char servicePack[128] = {};
};

// ---------------------------------------------------------------------------------------
// Bitmaps: opened by name from a file or from the program's embedded sheets.
inline constexpr uint32_t IMAGE_BITMAP = 0;
inline constexpr uint32_t LR_LOADFROMFILE = 0x10;
inline constexpr uint32_t LR_CREATEDIBSECTION = 0x2000;
inline constexpr uint32_t SRCCOPY = 0x00CC0020u;
inline constexpr uint32_t CLR_INVALID = 0xFFFFFFFFu;

struct BitmapInfo {
    int32_t type = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t widthBytes = 0;
    uint16_t planes = 0;
    uint16_t bitsPixel = 0;
};

// ---------------------------------------------------------------------------------------
// Directory search.
inline constexpr uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr uint32_t FILE_ATTRIBUTE_NORMAL = 0x80;

struct FindData {
    uint32_t attributes = 0;
    char fileName[260] = {};
    // When the file was last written, in the system's own units: only compared with the
    // times of other files.
    int64_t lastWriteTime = 0;
};

// ---------------------------------------------------------------------------------------
// Everything the game asks of the system. Every System keeps the desktop's message rules,
// which the game's window procedure and frame loop are written against:
// DispatchMessageA calls the window procedure of the message's window; DestroyWindow sends
// WM_DESTROY to it; DefWindowProcA answers WM_CLOSE with DestroyWindow; PostQuitMessage
// makes a later GetMessageA return 0 with the exit code in the message's wParam.
class System {
  public:
    virtual ~System() = default;

    // Window.
    virtual uint16_t RegisterClassA(const WindowClass& windowClass) = 0;
    virtual IconHandle LoadIconA(ModuleHandle instance, int resourceId) = 0;
    virtual CursorHandle LoadCursorA(ModuleHandle instance, int cursorId) = 0;
    virtual BrushHandle GetStockObject(int object) = 0;
    virtual WindowHandle CreateWindowExA(uint32_t exStyle, const char* className, const char* title,
                                         uint32_t style, int x, int y, int width, int height,
                                         WindowHandle parent, ModuleHandle instance) = 0;
    virtual bool ShowWindow(WindowHandle window, int showCommand) = 0;
    virtual bool UpdateWindow(WindowHandle window) = 0;
    virtual bool DestroyWindow(WindowHandle window) = 0;
    // Modal; returns when the user closes it. Implementations also write the text to stderr.
    virtual int MessageBoxA(WindowHandle owner, const char* text, const char* caption,
                            uint32_t type) = 0;

    // Messages.
    virtual bool PeekMessageA(Message* message, WindowHandle window, uint32_t filterMin,
                              uint32_t filterMax, uint32_t removeFlags) = 0;
    virtual int GetMessageA(Message* message, WindowHandle window, uint32_t filterMin,
                            uint32_t filterMax) = 0;
    virtual bool TranslateMessage(const Message* message) = 0;
    virtual intptr_t DispatchMessageA(const Message* message) = 0;
    virtual intptr_t DefWindowProcA(WindowHandle window, uint32_t message, uintptr_t wParam,
                                    intptr_t lParam) = 0;
    virtual bool PostMessageA(WindowHandle window, uint32_t message, uintptr_t wParam,
                              intptr_t lParam) = 0;
    virtual void PostQuitMessage(int exitCode) = 0;
    virtual bool WaitMessage() = 0;
    // Blocks until a message is waiting in the queue (one already there counts) or
    // `milliseconds` have passed; INFINITE waits without a limit. The desktop's
    // MsgWaitForMultipleObjectsEx on no objects for any input. true: woken by input (a host
    // may wake for input that turns into no message); false: the time ran out or the wait
    // failed.
    virtual bool WaitMessageTimeout(uint32_t milliseconds) = 0;

    // Input and time.
    virtual int16_t GetKeyState(int virtualKey) = 0;  // bit 0x80 set while the key is down
    virtual bool GetCursorPos(Point* point) = 0;      // 640x480 screen pixels
    virtual bool SetCursorPos(int x, int y) = 0;
    virtual CursorHandle SetCursor(CursorHandle cursor) = 0;  // null hides the pointer
    virtual uint32_t GetTickCount() = 0;                      // milliseconds, wraps at 2^32

    // Directory search in the current directory.
    virtual FindHandle FindFirstFileA(const char* pattern, FindData* data) = 0;
    virtual bool FindNextFileA(FindHandle find, FindData* data) = 0;
    virtual bool FindClose(FindHandle find) = 0;

    // Operating-system facts, for the display-version probe.
    virtual bool GetVersionExA(OsVersionInfo* info) = 0;
    virtual LibraryHandle LoadLibraryA(const char* name) = 0;
    virtual void* GetProcAddress(LibraryHandle library, const char* name) = 0;
    virtual bool FreeLibrary(LibraryHandle library) = 0;
    virtual void OutputDebugStringA(const char* text) = 0;
    // The probe's own object: the entry point found by GetProcAddress("DirectDrawCreate").
    virtual Result DirectDrawCreate(const Guid* driver, DirectDraw** out, Unknown* outer) = 0;

    // Bitmaps and device contexts.
    virtual ModuleHandle GetModuleHandleA(const char* name) = 0;
    // instance null with LR_LOADFROMFILE: a bitmap file in the current directory; otherwise
    // the program's embedded sheet of that name, matched without regard to case.
    virtual BitmapHandle LoadImageA(ModuleHandle instance, const char* name, uint32_t type, int cx,
                                    int cy, uint32_t flags) = 0;
    // size is the room in *info; a record smaller than BitmapInfo gets 0 and is not filled.
    virtual int GetObjectA(BitmapHandle bitmap, int size, BitmapInfo* info) = 0;
    virtual bool DeleteObject(BitmapHandle bitmap) = 0;
    virtual DeviceContextHandle CreateCompatibleDC(DeviceContextHandle dc) = 0;
    virtual BitmapHandle SelectObject(DeviceContextHandle dc, BitmapHandle bitmap) = 0;
    virtual bool DeleteDC(DeviceContextHandle dc) = 0;
    // Copies (and converts to the destination's pixel format) between device contexts.
    virtual bool StretchBlt(DeviceContextHandle dest, int x, int y, int width, int height,
                            DeviceContextHandle source, int sourceX, int sourceY, int sourceWidth,
                            int sourceHeight, uint32_t rop) = 0;
    virtual uint32_t GetPixel(DeviceContextHandle dc, int x, int y) = 0;
    virtual uint32_t SetPixel(DeviceContextHandle dc, int x, int y, uint32_t color) = 0;
};

// The system the game runs on; installed once by the entry point (or by a test).
System& Sys();
void InstallSystem(System* system);

// The game as each platform layer's entry helper runs it (RunWithSdl, RunWithWin32): the
// desktop's WinMain without its two unused arguments.
using GameMain = int (*)(ModuleHandle instance, int showCommand);

}  // namespace platform
