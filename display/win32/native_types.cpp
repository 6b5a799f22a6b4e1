#include "display/win32/native_types.h"

#include <cstring>

namespace win32 {

RECT Native(const platform::Rect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

const RECT* Native(const platform::Rect* rect, RECT& storage) {
    if (rect == nullptr) return nullptr;
    storage = Native(*rect);
    return &storage;
}

GUID Native(const platform::Guid& guid) {
    GUID native{};
    native.Data1 = guid.data1;
    native.Data2 = guid.data2;
    native.Data3 = guid.data3;
    std::memcpy(native.Data4, guid.data4, sizeof native.Data4);
    return native;
}

MSG Native(const platform::Message& message) {
    MSG native{};
    native.hwnd = Native(message.window);
    native.message = message.message;
    native.wParam = message.wParam;
    native.lParam = message.lParam;
    return native;
}

platform::Message FromNative(const MSG& message) {
    platform::Message result;
    result.window = Wrap<platform::WindowHandle>(message.hwnd);
    result.message = message.message;
    result.wParam = message.wParam;
    result.lParam = message.lParam;
    return result;
}

DDSURFACEDESC Native(const platform::SurfaceDesc& desc) {
    DDSURFACEDESC native{};
    native.dwSize = sizeof native;
    native.dwFlags = desc.flags;
    native.dwHeight = desc.height;
    native.dwWidth = desc.width;
    native.dwBackBufferCount = desc.backBufferCount;
    native.ddsCaps.dwCaps = desc.caps.caps;
    return native;
}

platform::PixelFormat FromNative(const DDPIXELFORMAT& format) {
    platform::PixelFormat result;
    result.flags = format.dwFlags;
    result.fourCC = format.dwFourCC;
    result.rgbBitCount = format.dwRGBBitCount;
    result.rBitMask = format.dwRBitMask;
    result.gBitMask = format.dwGBitMask;
    result.bBitMask = format.dwBBitMask;
    result.alphaBitMask = format.dwRGBAlphaBitMask;
    return result;
}

void CopyFromNative(const DDSURFACEDESC& native, platform::SurfaceDesc* desc) {
    desc->flags = native.dwFlags;
    desc->height = native.dwHeight;
    desc->width = native.dwWidth;
    desc->pitch = native.lPitch;
    desc->backBufferCount = native.dwBackBufferCount;
    desc->surface = native.lpSurface;
    desc->pixelFormat = FromNative(native.ddpfPixelFormat);
    desc->caps.caps = native.ddsCaps.dwCaps;
}

}  // namespace win32
