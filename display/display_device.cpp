#include "display/display_device.h"

#include <cstdio>

using namespace platform;

WindowHandle DisplayDevice::window = nullptr;
DirectDraw* DisplayDevice::directDraw = nullptr;
Surface* DisplayDevice::primary = nullptr;
Surface* DisplayDevice::backBuffer = nullptr;
namespace {

// Until the shell installs its own, the window gets the system's default handling.
intptr_t DefaultWindowProcedure(WindowHandle window, uint32_t message, uintptr_t wParam,
                                intptr_t lParam) {
    return Sys().DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

WindowProc DisplayDevice::windowProcedure = DefaultWindowProcedure;

namespace {

constexpr char kCaption[] = "Kestrion";
// Caption of the message box that reports the DirectX version found at start: the program's
// name with its release, r2, so that the box says which release made the check.
constexpr char kVersionBoxCaption[] = "Kestrion r2";
constexpr char kClassName[] = "KESTRIONGAME";
constexpr int kIconResource = 101;
constexpr uint32_t kScreenWidth = 640;
constexpr uint32_t kScreenHeight = 480;
constexpr uint32_t kBitsPerPixel = 16;
constexpr DirectXVersion kRequiredVersion = 0x300;

void RegisterWindowClass(ModuleHandle instance) {
    System& sys = Sys();
    WindowClass windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.procedure = DisplayDevice::windowProcedure;
    windowClass.instance = instance;
    windowClass.icon = sys.LoadIconA(instance, kIconResource);
    windowClass.cursor = sys.LoadCursorA(nullptr, IDC_ARROW);
    windowClass.background = sys.GetStockObject(BLACK_BRUSH);
    windowClass.className = kClassName;
    sys.RegisterClassA(windowClass);
}

void ShowVersionBox(DirectXVersion version) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "Your version of DirectX is %d.%d\nKestrion requires at least version %d.%d",
                  static_cast<int>(version >> 8), static_cast<int>(version & 0xFF),
                  static_cast<int>(kRequiredVersion >> 8),
                  static_cast<int>(kRequiredVersion & 0xFF));
    Sys().MessageBoxA(DisplayDevice::window, text, kVersionBoxCaption, MB_OK);
}

int RefuseVersion(DirectXVersion version) {
    char text[160];
    const int wanted = static_cast<int>(kRequiredVersion >> 8);
    if (version == 0) {
        std::snprintf(text, sizeof text,
                      "You need to install DirectX %d\nYou have no version installed", wanted);
    } else {
        std::snprintf(text, sizeof text,
                      "You need to install DirectX %d\nYour version of DirectX is too old (0x%X)",
                      wanted, static_cast<unsigned>(version));
    }
    return DisplayDevice::FatalError(DisplayDevice::window, text, kCaption);
}

int OpenDirectDraw() {
    System& sys = Sys();
    if (sys.DirectDrawCreate(nullptr, &DisplayDevice::directDraw, nullptr) != DD_OK) {
        return DisplayDevice::FatalError(DisplayDevice::window,
                                         "Couldn't create DirectDraw object (install DirectX 3)",
                                         kCaption);
    }
    DirectDraw* dd = DisplayDevice::directDraw;
    if (dd->SetCooperativeLevel(DisplayDevice::window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN) !=
        DD_OK) {
        return DisplayDevice::FatalError(
            DisplayDevice::window,
            "Couldn't set the cooperative level (try closing other games or rebooting)", kCaption);
    }
    if (dd->SetDisplayMode(kScreenWidth, kScreenHeight, kBitsPerPixel) != DD_OK) {
        return DisplayDevice::FatalError(
            DisplayDevice::window,
            "Couldn't set the display mode (try a reboot or getting new video drivers from "
            "'https://docs.mesa3d.org/download.html')",
            kCaption);
    }
    SurfaceDesc desc;
    desc.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.backBufferCount = 1;
    desc.caps.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    if (dd->CreateSurface(&desc, &DisplayDevice::primary, nullptr) != DD_OK) {
        return DisplayDevice::FatalError(
            DisplayDevice::window, "Cannot create the primary surface (try a reboot)", kCaption);
    }
    SurfaceCaps backCaps;
    backCaps.caps = DDSCAPS_BACKBUFFER;
    if (DisplayDevice::primary->GetAttachedSurface(&backCaps, &DisplayDevice::backBuffer) !=
        DD_OK) {
        return DisplayDevice::FatalError(DisplayDevice::window,
                                         "Cannot get the back buffer (try a reboot)", kCaption);
    }
    return 1;
}

}  // namespace

int DisplayDevice::Open(ModuleHandle instance, int showCommand) {
    System& sys = Sys();
    RegisterWindowClass(instance);
    window = sys.CreateWindowExA(0, kClassName, kCaption, WS_POPUP | WS_SYSMENU, 0, 0, 0, 0,
                                 nullptr, instance);
    if (window == nullptr) return 0;
    sys.ShowWindow(window, showCommand);
    sys.UpdateWindow(window);

    const DirectXVersion version = ProbeDirectXVersion();
    if (version < kRequiredVersion) return RefuseVersion(version);
    if (sys.GetKeyState(VK_SHIFT) & 0x80) ShowVersionBox(version);
    return OpenDirectDraw();
}

void DisplayDevice::Release() {
    if (directDraw == nullptr) return;
    if (primary != nullptr) {
        primary->Release();
        primary = nullptr;
    }
    // The back buffer died with the primary; forget it so nothing draws into freed memory.
    backBuffer = nullptr;
    directDraw->Release();
    directDraw = nullptr;
}

int DisplayDevice::FatalError(WindowHandle owner, const char* message, const char* caption) {
    Release();
    Sys().MessageBoxA(owner, message, caption, MB_OK);
    Sys().DestroyWindow(owner);
    return 0;
}

void DisplayDevice::RestorePrimary() {
    if (primary != nullptr) primary->Restore();
}

void DisplayDevice::ClearBackBuffer() {
    if (backBuffer == nullptr) return;
    BltFx fx;
    fx.fillColor = 0;
    Result result;
    do {
        result = backBuffer->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx);
    } while (result == DDERR_WASSTILLDRAWING);
    if (result == DDERR_SURFACELOST) RestorePrimary();
}

bool DisplayDevice::Flip() {
    if (primary == nullptr) return false;
    Result result;
    do {
        result = primary->Flip(nullptr, 0);
    } while (result == DDERR_WASSTILLDRAWING);
    // A lost frame is dropped: the primary gets its memory back and the next frame flips.
    if (result == DDERR_SURFACELOST) RestorePrimary();
    ClearBackBuffer();
    return result == DD_OK;
}
