#include "display/win32/native_types.h"
#include "display/win32/win32_system.h"

namespace win32 {

int16_t Win32System::GetKeyState(int virtualKey) {
    return ::GetKeyState(virtualKey);
}

bool Win32System::GetCursorPos(platform::Point* point) {
    POINT native{};
    if (point == nullptr || !::GetCursorPos(&native)) return false;
    point->x = native.x;
    point->y = native.y;
    return true;
}

bool Win32System::SetCursorPos(int x, int y) {
    return ::SetCursorPos(x, y) != FALSE;
}

platform::CursorHandle Win32System::SetCursor(platform::CursorHandle cursor) {
    return Wrap<platform::CursorHandle>(::SetCursor(Native(cursor)));
}

uint32_t Win32System::GetTickCount() {
    return ::GetTickCount();
}

}  // namespace win32
