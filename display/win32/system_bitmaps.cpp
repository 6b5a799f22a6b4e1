#include "display/win32/native_types.h"
#include "display/win32/win32_system.h"

namespace win32 {

platform::ModuleHandle Win32System::GetModuleHandleA(const char* name) {
    return Wrap<platform::ModuleHandle>(::GetModuleHandleA(name));
}

platform::BitmapHandle Win32System::LoadImageA(platform::ModuleHandle instance, const char* name,
                                               uint32_t type, int cx, int cy, uint32_t flags) {
    return Wrap<platform::BitmapHandle>(::LoadImageA(Native(instance), name, type, cx, cy, flags));
}

int Win32System::GetObjectA(platform::BitmapHandle bitmap, int size, platform::BitmapInfo* info) {
    // The caller's record is the platform's, not the system's BITMAP; fill what it holds.
    if (info == nullptr || size < static_cast<int>(sizeof *info)) return 0;
    BITMAP native{};
    if (::GetObjectA(Native(bitmap), sizeof native, &native) == 0) return 0;
    info->type = native.bmType;
    info->width = native.bmWidth;
    info->height = native.bmHeight;
    info->widthBytes = native.bmWidthBytes;
    info->planes = native.bmPlanes;
    info->bitsPixel = native.bmBitsPixel;
    return static_cast<int>(sizeof *info);
}

bool Win32System::DeleteObject(platform::BitmapHandle bitmap) {
    return ::DeleteObject(Native(bitmap)) != FALSE;
}

platform::DeviceContextHandle Win32System::CreateCompatibleDC(platform::DeviceContextHandle dc) {
    return Wrap<platform::DeviceContextHandle>(::CreateCompatibleDC(Native(dc)));
}

platform::BitmapHandle Win32System::SelectObject(platform::DeviceContextHandle dc,
                                                 platform::BitmapHandle bitmap) {
    return Wrap<platform::BitmapHandle>(::SelectObject(Native(dc), Native(bitmap)));
}

bool Win32System::DeleteDC(platform::DeviceContextHandle dc) {
    return ::DeleteDC(Native(dc)) != FALSE;
}

bool Win32System::StretchBlt(platform::DeviceContextHandle dest, int x, int y, int width,
                             int height, platform::DeviceContextHandle source, int sourceX,
                             int sourceY, int sourceWidth, int sourceHeight, uint32_t rop) {
    return ::StretchBlt(Native(dest), x, y, width, height, Native(source), sourceX, sourceY,
                        sourceWidth, sourceHeight, rop) != FALSE;
}

uint32_t Win32System::GetPixel(platform::DeviceContextHandle dc, int x, int y) {
    return ::GetPixel(Native(dc), x, y);
}

uint32_t Win32System::SetPixel(platform::DeviceContextHandle dc, int x, int y, uint32_t color) {
    return ::SetPixel(Native(dc), x, y, color);
}

}  // namespace win32
