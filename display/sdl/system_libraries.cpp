#include <SDL.h>
#include <strings.h>

#include <cstdio>
#include <cstring>

#include "display/sdl/sdl_system.h"

namespace sdl {

namespace {

// Handles whose contents nobody reads: their addresses tell them apart.
char ddrawToken, dinputToken, entryToken;

}  // namespace

// The game's start-up probe asks for the system version and for the two display libraries
// before it opens the display. The SDL layer needs neither, so it answers as a current
// NT-family system with both libraries present would: version 6.1, and the two entry points.
bool SdlSystem::GetVersionExA(platform::OsVersionInfo* info) {
    if (info == nullptr || info->size != sizeof(platform::OsVersionInfo)) return false;
    info->platformId = platform::VER_PLATFORM_WIN32_NT;
    info->majorVersion = 6;
    info->minorVersion = 1;
    info->buildNumber = 7601;
    return true;
}

platform::LibraryHandle SdlSystem::LoadLibraryA(const char* name) {
    if (name == nullptr) return nullptr;
    if (strcasecmp(name, "DDRAW.DLL") == 0) {
        return reinterpret_cast<platform::LibraryHandle>(&ddrawToken);
    }
    if (strcasecmp(name, "DINPUT.DLL") == 0) {
        return reinterpret_cast<platform::LibraryHandle>(&dinputToken);
    }
    return nullptr;
}

void* SdlSystem::GetProcAddress(platform::LibraryHandle library, const char* name) {
    if (name == nullptr) return nullptr;
    auto* token = reinterpret_cast<char*>(library);
    if (token == &ddrawToken && std::strcmp(name, "DirectDrawCreate") == 0) return &entryToken;
    if (token == &dinputToken && std::strcmp(name, "DirectInputCreateA") == 0) return &entryToken;
    return nullptr;
}

bool SdlSystem::FreeLibrary(platform::LibraryHandle library) {
    return library != nullptr;
}

void SdlSystem::OutputDebugStringA(const char* text) {
    if (text != nullptr && SDL_getenv("KESTRION_DEBUG") != nullptr) std::fputs(text, stderr);
}

}  // namespace sdl
