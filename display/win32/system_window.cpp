#include <cstdio>
#include <string>

#include "display/win32/native_types.h"
#include "display/win32/win32_direct_draw.h"
#include "display/win32/win32_system.h"

namespace win32 {

namespace {

// The system calls a window procedure with its own types; the game's takes the platform's.
// Each registered class keeps the game's procedure here, found again by the class atom.
struct ClassProcedure {
    ATOM atom;
    platform::WindowProc procedure;
};
constexpr int kMaxClasses = 8;
ClassProcedure classProcedures[kMaxClasses];
int classCount = 0;

platform::WindowProc ProcedureOf(HWND window) {
    const ATOM atom = static_cast<ATOM>(::GetClassWord(window, GCW_ATOM));
    for (int i = 0; i < classCount; ++i) {
        if (classProcedures[i].atom == atom) return classProcedures[i].procedure;
    }
    return nullptr;
}

LRESULT CALLBACK ForwardToGameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const platform::WindowProc procedure = ProcedureOf(window);
    if (procedure == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
    return procedure(Wrap<platform::WindowHandle>(window), message, wParam, lParam);
}

}  // namespace

uint16_t Win32System::RegisterClassA(const platform::WindowClass& windowClass) {
    if (classCount == kMaxClasses || windowClass.procedure == nullptr) return 0;
    WNDCLASSA native{};
    native.style = windowClass.style;
    native.lpfnWndProc = ForwardToGameProcedure;
    native.hInstance = Native(windowClass.instance);
    native.hIcon = Native(windowClass.icon);
    native.hCursor = Native(windowClass.cursor);
    native.hbrBackground = Native(windowClass.background);
    native.lpszClassName = windowClass.className;
    const ATOM atom = ::RegisterClassA(&native);
    if (atom != 0) classProcedures[classCount++] = {atom, windowClass.procedure};
    return atom;
}

platform::IconHandle Win32System::LoadIconA(platform::ModuleHandle instance, int resourceId) {
    return Wrap<platform::IconHandle>(::LoadIconA(Native(instance), MAKEINTRESOURCEA(resourceId)));
}

platform::CursorHandle Win32System::LoadCursorA(platform::ModuleHandle instance, int cursorId) {
    return Wrap<platform::CursorHandle>(
        ::LoadCursorA(Native(instance), MAKEINTRESOURCEA(cursorId)));
}

platform::BrushHandle Win32System::GetStockObject(int object) {
    return Wrap<platform::BrushHandle>(::GetStockObject(object));
}

platform::WindowHandle Win32System::CreateWindowExA(uint32_t exStyle, const char* className,
                                                    const char* title, uint32_t style, int x, int y,
                                                    int width, int height,
                                                    platform::WindowHandle parent,
                                                    platform::ModuleHandle instance) {
    return Wrap<platform::WindowHandle>(::CreateWindowExA(exStyle, className, title, style, x, y,
                                                          width, height, Native(parent), nullptr,
                                                          Native(instance), nullptr));
}

bool Win32System::ShowWindow(platform::WindowHandle window, int showCommand) {
    return ::ShowWindow(Native(window), showCommand) != FALSE;
}

bool Win32System::UpdateWindow(platform::WindowHandle window) {
    return ::UpdateWindow(Native(window)) != FALSE;
}

bool Win32System::DestroyWindow(platform::WindowHandle window) {
    return ::DestroyWindow(Native(window)) != FALSE;
}

namespace {

// UTF-8 text as wide characters; false when it is not UTF-8.
bool WideOf(const char* text, std::wstring& wide) {
    const int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (size <= 0) return false;
    wide.assign(static_cast<std::size_t>(size), L'\0');
    return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, wide.data(), size) > 0;
}

}  // namespace

int Win32System::MessageBoxA(platform::WindowHandle owner, const char* text, const char* caption,
                             uint32_t type) {
    // A program started from a console (or under Wine) leaves the text there too.
    std::fprintf(stderr, "%s: %s\n", caption, text);
    // A box asked for during play (a save that failed) would otherwise sit unseen behind
    // the game's full-screen pages, and the game would seem to hang.
    ShowSystemSurface();
    // The game's texts are UTF-8, as the paths they may name are on Windows.
    std::wstring wideText;
    std::wstring wideCaption;
    if (WideOf(text, wideText) && WideOf(caption, wideCaption)) {
        return ::MessageBoxW(Native(owner), wideText.c_str(), wideCaption.c_str(), type);
    }
    return ::MessageBoxA(Native(owner), text, caption, type);
}

}  // namespace win32
