// What a hosted System finds the same on every host: bitmaps and device contexts in
// software, the current directory's files, and the facts of the operating system the game
// asks for before it opens the display.

#include <strings.h>

#include <cstring>

#include "display/soft/file_search.h"
#include "display/soft/hosted_system.h"

namespace soft {

namespace {

// Handles whose contents nobody reads: their addresses tell them apart.
char moduleToken, ddrawToken, dinputToken, entryToken;

}  // namespace

// --- Directory search --------------------------------------------------------------------------

platform::FindHandle HostedSystem::FindFirstFileA(const char* pattern, platform::FindData* data) {
    return soft::FindFirst(soft::ListMatchingFiles("", pattern), data);
}

bool HostedSystem::FindNextFileA(platform::FindHandle find, platform::FindData* data) {
    return soft::FindNext(find, data);
}

bool HostedSystem::FindClose(platform::FindHandle find) {
    return soft::FindClose(find);
}

// --- Facts and libraries -----------------------------------------------------------------------

// The game's start-up probe asks for the system version and for the two display libraries
// before it opens the display. A host needs neither, so it answers as a current NT-family
// system with both libraries present would: version 6.1, and the two entry points.
bool HostedSystem::GetVersionExA(platform::OsVersionInfo* info) {
    if (info == nullptr || info->size != sizeof(platform::OsVersionInfo)) return false;
    info->platformId = platform::VER_PLATFORM_WIN32_NT;
    info->majorVersion = 6;
    info->minorVersion = 1;
    info->buildNumber = 7601;
    return true;
}

platform::LibraryHandle HostedSystem::LoadLibraryA(const char* name) {
    if (name == nullptr) return nullptr;
    if (strcasecmp(name, "DDRAW.DLL") == 0) {
        return reinterpret_cast<platform::LibraryHandle>(&ddrawToken);
    }
    if (strcasecmp(name, "DINPUT.DLL") == 0) {
        return reinterpret_cast<platform::LibraryHandle>(&dinputToken);
    }
    return nullptr;
}

void* HostedSystem::GetProcAddress(platform::LibraryHandle library, const char* name) {
    if (name == nullptr) return nullptr;
    auto* token = reinterpret_cast<char*>(library);
    if (token == &ddrawToken && std::strcmp(name, "DirectDrawCreate") == 0) return &entryToken;
    if (token == &dinputToken && std::strcmp(name, "DirectInputCreateA") == 0) return &entryToken;
    return nullptr;
}

bool HostedSystem::FreeLibrary(platform::LibraryHandle library) {
    return library != nullptr;
}

void HostedSystem::OutputDebugStringA(const char*) {}

// --- Bitmaps and device contexts ---------------------------------------------------------------

platform::ModuleHandle HostedSystem::GetModuleHandleA(const char*) {
    return reinterpret_cast<platform::ModuleHandle>(&moduleToken);
}

platform::BitmapHandle HostedSystem::LoadImageA(platform::ModuleHandle instance, const char* name,
                                                uint32_t type, int, int, uint32_t flags) {
    return soft::LoadImageByName(instance, name, type, flags, "", embedded_, decode_);
}

int HostedSystem::GetObjectA(platform::BitmapHandle bitmap, int size, platform::BitmapInfo* info) {
    return soft::GetBitmapObject(bitmap, size, info);
}

bool HostedSystem::DeleteObject(platform::BitmapHandle bitmap) {
    return soft::DeleteBitmap(bitmap);
}

platform::DeviceContextHandle HostedSystem::CreateCompatibleDC(platform::DeviceContextHandle) {
    return soft::CreateMemoryDC();
}

platform::BitmapHandle HostedSystem::SelectObject(platform::DeviceContextHandle dc,
                                                  platform::BitmapHandle bitmap) {
    return soft::SelectBitmap(dc, bitmap);
}

bool HostedSystem::DeleteDC(platform::DeviceContextHandle dc) {
    return soft::DeleteMemoryDC(dc);
}

bool HostedSystem::StretchBlt(platform::DeviceContextHandle dest, int x, int y, int width,
                              int height, platform::DeviceContextHandle source, int sourceX,
                              int sourceY, int sourceWidth, int sourceHeight, uint32_t rop) {
    return soft::StretchBlt(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                            sourceHeight, rop);
}

uint32_t HostedSystem::GetPixel(platform::DeviceContextHandle dc, int x, int y) {
    return soft::GetPixel(dc, x, y);
}

uint32_t HostedSystem::SetPixel(platform::DeviceContextHandle dc, int x, int y, uint32_t color) {
    return soft::SetPixel(dc, x, y, color);
}

}  // namespace soft
