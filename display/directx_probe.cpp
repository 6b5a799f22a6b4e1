// Works out the installed DirectX version from the operating system's version and from what
// the DirectX libraries offer. Leaves nothing behind: every library loaded here is freed and
// every object created here is released on every path out.

#include "display/display_device.h"

using namespace platform;

namespace {

constexpr DirectXVersion kNone = 0;
constexpr DirectXVersion kVersion1 = 0x100;
constexpr DirectXVersion kVersion2 = 0x200;
constexpr DirectXVersion kVersion3 = 0x300;
constexpr DirectXVersion kVersion5 = 0x500;
constexpr DirectXVersion kVersion51 = 0x501;
constexpr uint32_t kLastBuildWithoutBundledDirectX = 1353;

void Debug(const char* text) {
    Sys().OutputDebugStringA(text);
}

// DirectX 3 is the first to carry DirectInput; without it the answer stays at version 2.
DirectXVersion CheckDirectInput() {
    System& sys = Sys();
    LibraryHandle dinput = sys.LoadLibraryA("DINPUT.DLL");
    if (dinput == nullptr) {
        Debug("Couldn't LoadLibrary DInput\r\n");
        return kVersion2;
    }
    void* create = sys.GetProcAddress(dinput, "DirectInputCreateA");
    sys.FreeLibrary(dinput);
    if (create == nullptr) {
        Debug("Couldn't GetProcAddress DInputCreate\r\n");
        return kVersion2;
    }
    return kVersion3;
}

DirectXVersion ProbeNt(uint32_t majorVersion) {
    if (majorVersion < 4) return kNone;
    if (majorVersion == 4) return CheckDirectInput();
    return kVersion51;
}

// Everything the 95-family probe creates, released in one place whatever the way out.
struct ProbeObjects {
    LibraryHandle ddrawLibrary = nullptr;
    DirectDraw* directDraw = nullptr;
    Surface* surface = nullptr;

    ~ProbeObjects() {
        if (surface != nullptr) surface->Release();
        if (directDraw != nullptr) directDraw->Release();
        if (ddrawLibrary != nullptr) Sys().FreeLibrary(ddrawLibrary);
    }
};

DirectXVersion ProbeSurface3(ProbeObjects& objects, DirectXVersion found) {
    if (objects.directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL) != DD_OK) {
        Debug("Couldn't Set coop level\r\n");
        return kNone;
    }
    SurfaceDesc desc;
    desc.flags = DDSD_CAPS;
    desc.caps.caps = DDSCAPS_PRIMARYSURFACE;
    if (objects.directDraw->CreateSurface(&desc, &objects.surface, nullptr) != DD_OK) {
        Debug("Couldn't CreateSurface\r\n");
        return kNone;
    }
    Unknown* surface3 = nullptr;
    if (objects.surface->QueryInterface(IID_IDirectDrawSurface3, &surface3) == DD_OK &&
        surface3 != nullptr) {
        surface3->Release();
        return kVersion5;
    }
    return found;
}

DirectXVersion ProbeWindows95Family(uint32_t buildNumber) {
    if ((buildNumber & 0xFFFF) > kLastBuildWithoutBundledDirectX) return kVersion51;
    System& sys = Sys();
    ProbeObjects objects;
    objects.ddrawLibrary = sys.LoadLibraryA("DDRAW.DLL");
    if (objects.ddrawLibrary == nullptr) return kNone;
    if (sys.GetProcAddress(objects.ddrawLibrary, "DirectDrawCreate") == nullptr) {
        Debug("Couldn't LoadLibrary DDraw\r\n");
        return kNone;
    }
    if (sys.DirectDrawCreate(nullptr, &objects.directDraw, nullptr) != DD_OK) {
        Debug("Couldn't create DDraw\r\n");
        return kNone;
    }
    Unknown* directDraw2 = nullptr;
    if (objects.directDraw->QueryInterface(IID_IDirectDraw2, &directDraw2) != DD_OK ||
        directDraw2 == nullptr) {
        Debug("Couldn't QI DDraw2\r\n");
        return kVersion1;
    }
    directDraw2->Release();
    const DirectXVersion found = CheckDirectInput();
    if (found < kVersion3) return found;
    return ProbeSurface3(objects, found);
}

}  // namespace

DirectXVersion ProbeDirectXVersion() {
    OsVersionInfo info;
    if (!Sys().GetVersionExA(&info)) return kNone;
    if (info.platformId == VER_PLATFORM_WIN32_NT) return ProbeNt(info.majorVersion);
    return ProbeWindows95Family(info.buildNumber);
}
