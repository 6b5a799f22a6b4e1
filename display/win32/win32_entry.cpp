#include "display/win32/win32_entry.h"

#include <cstdio>

#include "display/win32/native_types.h"
#include "display/win32/win32_system.h"

namespace platform {

int RunWithWin32(GameMain gameMain, HINSTANCE instance, int showCommand) {
    win32::Win32System system;
    InstallSystem(&system);
    const int exitCode = gameMain(win32::Wrap<ModuleHandle>(instance), showCommand);
    InstallSystem(nullptr);
    return exitCode;
}

namespace {

bool HasStream(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}  // namespace

ParentConsole::ParentConsole() {
    const bool hasOut = HasStream(STD_OUTPUT_HANDLE);
    const bool hasErr = HasStream(STD_ERROR_HANDLE);
    if (hasOut && hasErr) return;
    // Fails when started from Explorer or a shortcut: there is no console to write to.
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    attached_ = true;
    if (!hasOut) std::freopen("CONOUT$", "w", stdout);
    if (!hasErr) std::freopen("CONOUT$", "w", stderr);
}

ParentConsole::~ParentConsole() {
    if (!attached_) return;
    std::fflush(stdout);
    std::fflush(stderr);
    FreeConsole();
}

}  // namespace platform
