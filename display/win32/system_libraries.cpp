#include <cstring>

#include "display/win32/com_interface.h"
#include "display/win32/native_types.h"
#include "display/win32/win32_direct_draw.h"
#include "display/win32/win32_system.h"

namespace win32 {

bool Win32System::GetVersionExA(platform::OsVersionInfo* info) {
    if (info == nullptr || info->size != kOsVersionInfoSize) return false;
    OSVERSIONINFOA native{};
    native.dwOSVersionInfoSize = sizeof native;
#ifdef _MSC_VER
#pragma warning(suppress : 4996)  // deprecated, but it is the call the version probe is built on
#endif
    if (!::GetVersionExA(&native)) return false;
    info->majorVersion = native.dwMajorVersion;
    info->minorVersion = native.dwMinorVersion;
    info->buildNumber = native.dwBuildNumber;
    info->platformId = native.dwPlatformId;
    static_assert(sizeof info->servicePack == sizeof native.szCSDVersion);
    std::memcpy(info->servicePack, native.szCSDVersion, sizeof info->servicePack);
    return true;
}

platform::LibraryHandle Win32System::LoadLibraryA(const char* name) {
    return Wrap<platform::LibraryHandle>(::LoadLibraryA(name));
}

void* Win32System::GetProcAddress(platform::LibraryHandle library, const char* name) {
    return reinterpret_cast<void*>(::GetProcAddress(Native(library), name));
}

bool Win32System::FreeLibrary(platform::LibraryHandle library) {
    return ::FreeLibrary(Native(library)) != FALSE;
}

void Win32System::OutputDebugStringA(const char* text) {
    ::OutputDebugStringA(text);
}

platform::Result Win32System::DirectDrawCreate(const platform::Guid* driver,
                                               platform::DirectDraw** out,
                                               platform::Unknown* outer) {
    if (out == nullptr) return platform::DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (outer != nullptr) return platform::DDERR_INVALIDPARAMS;
    GUID nativeDriver{};
    if (driver != nullptr) nativeDriver = Native(*driver);
    IDirectDraw* directDraw = nullptr;
    const HRESULT result =
        ::DirectDrawCreate(driver == nullptr ? nullptr : &nativeDriver, &directDraw, nullptr);
    if (result == S_OK) *out = new Win32DirectDraw(directDraw);
    return ToResult(result);
}

}  // namespace win32
