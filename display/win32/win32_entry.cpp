#include "display/win32/win32_entry.h"

#include <shellapi.h>

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

std::string Utf8Of(const wchar_t* wide) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return std::string();
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back();  // the terminating zero the conversion counts
    return text;
}

bool HasStream(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}  // namespace

std::vector<std::string> Utf8Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) {
        // Without the wide list, the narrow one is still better than none.
        for (int i = 0; i < __argc; ++i) arguments.emplace_back(__argv[i]);
        return arguments;
    }
    for (int i = 0; i < count; ++i) arguments.push_back(Utf8Of(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

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
