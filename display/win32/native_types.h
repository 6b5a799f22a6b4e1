#pragma once

// Conversions between the platform interface's handles and records and the system's own.
// Handles are the system's handles under another name, so they convert by a cast; records
// are copied field by field, since their layouts differ (pointers are 64 bits wide here).

#include "display/win32/windows_api.h"

namespace win32 {

inline HWND Native(platform::WindowHandle handle) {
    return reinterpret_cast<HWND>(handle);
}
inline HINSTANCE Native(platform::ModuleHandle handle) {
    return reinterpret_cast<HINSTANCE>(handle);
}
inline HMODULE Native(platform::LibraryHandle handle) {
    return reinterpret_cast<HMODULE>(handle);
}
inline HICON Native(platform::IconHandle handle) {
    return reinterpret_cast<HICON>(handle);
}
inline HCURSOR Native(platform::CursorHandle handle) {
    return reinterpret_cast<HCURSOR>(handle);
}
inline HBRUSH Native(platform::BrushHandle handle) {
    return reinterpret_cast<HBRUSH>(handle);
}
inline HBITMAP Native(platform::BitmapHandle handle) {
    return reinterpret_cast<HBITMAP>(handle);
}
inline HDC Native(platform::DeviceContextHandle handle) {
    return reinterpret_cast<HDC>(handle);
}
inline HANDLE Native(platform::FindHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// The platform handle type that stands for a system handle.
template <typename PlatformHandle, typename NativeHandle>
PlatformHandle Wrap(NativeHandle handle) {
    return reinterpret_cast<PlatformHandle>(handle);
}

RECT Native(const platform::Rect& rect);
// Points storage at rect's value and returns it, or null for a null rect.
const RECT* Native(const platform::Rect* rect, RECT& storage);
GUID Native(const platform::Guid& guid);
MSG Native(const platform::Message& message);
platform::Message FromNative(const MSG& message);

// The surface description records. Only the fields the platform record carries are copied;
// the system's size field is always its own size.
DDSURFACEDESC Native(const platform::SurfaceDesc& desc);
void CopyFromNative(const DDSURFACEDESC& native, platform::SurfaceDesc* desc);
platform::PixelFormat FromNative(const DDPIXELFORMAT& format);

// The sizes the platform records announce in their size fields. The system refuses a record
// whose size field is wrong, and so does this layer.
inline constexpr uint32_t kSurfaceDescSize = 108;
inline constexpr uint32_t kPixelFormatSize = 32;
inline constexpr uint32_t kBltFxSize = 100;
inline constexpr uint32_t kOsVersionInfoSize = 148;

}  // namespace win32
