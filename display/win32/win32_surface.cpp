#include "display/win32/win32_surface.h"

#include "display/win32/com_interface.h"

namespace win32 {

IDirectDrawSurface* Win32Surface::NativeOf(platform::Surface* surface) {
    return surface == nullptr ? nullptr : static_cast<Win32Surface*>(surface)->native_;
}

platform::Result Win32Surface::QueryInterface(const platform::Guid& iid, platform::Unknown** out) {
    return QueryNativeInterface(native_, iid, out);
}

uint32_t Win32Surface::Release() {
    const ULONG left = native_->Release();
    if (left == 0) delete this;
    return left;
}

platform::Result Win32Surface::Flip(platform::Surface* target, uint32_t flags) {
    return ToResult(native_->Flip(NativeOf(target), flags));
}

platform::Result Win32Surface::Blt(const platform::Rect* dest, platform::Surface* source,
                                   const platform::Rect* sourceRect, uint32_t flags,
                                   const platform::BltFx* fx) {
    DDBLTFX nativeFx{};
    nativeFx.dwSize = sizeof nativeFx;
    if (fx != nullptr) {
        if (fx->size != kBltFxSize) return platform::DDERR_INVALIDPARAMS;
        nativeFx.dwFillColor = fx->fillColor;
    }
    RECT destStorage;
    RECT sourceStorage;
    // The first surface interface takes its rectangles as non-const pointers.
    return ToResult(native_->Blt(const_cast<RECT*>(Native(dest, destStorage)), NativeOf(source),
                                 const_cast<RECT*>(Native(sourceRect, sourceStorage)), flags,
                                 fx == nullptr ? nullptr : &nativeFx));
}

platform::Result Win32Surface::BltFast(int32_t x, int32_t y, platform::Surface* source,
                                       const platform::Rect* sourceRect, uint32_t flags) {
    // A negative position would reach the system as a huge unsigned one; refuse it as the
    // system refuses any destination that leaves the surface.
    if (x < 0 || y < 0) return platform::DDERR_INVALIDRECT;
    RECT sourceStorage;
    return ToResult(native_->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), NativeOf(source),
                                     const_cast<RECT*>(Native(sourceRect, sourceStorage)), flags));
}

platform::Result Win32Surface::Lock(const platform::Rect* rect, platform::SurfaceDesc* desc,
                                    uint32_t flags, void* event) {
    if (desc == nullptr || desc->size != kSurfaceDescSize) return platform::DDERR_INVALIDPARAMS;
    DDSURFACEDESC nativeDesc{};
    nativeDesc.dwSize = sizeof nativeDesc;
    RECT rectStorage;
    const HRESULT result =
        native_->Lock(const_cast<RECT*>(Native(rect, rectStorage)), &nativeDesc, flags, event);
    if (result == S_OK) CopyFromNative(nativeDesc, desc);
    return ToResult(result);
}

platform::Result Win32Surface::Unlock(const platform::Rect*) {
    // The first surface interface unlocks by the locked address, or everything for null; the
    // game holds one lock per surface at a time, so null is always the right answer.
    return ToResult(native_->Unlock(nullptr));
}

platform::Result Win32Surface::GetPixelFormat(platform::PixelFormat* format) {
    if (format == nullptr || format->size != kPixelFormatSize) return platform::DDERR_INVALIDPARAMS;
    DDPIXELFORMAT nativeFormat{};
    nativeFormat.dwSize = sizeof nativeFormat;
    const HRESULT result = native_->GetPixelFormat(&nativeFormat);
    if (result == S_OK) *format = FromNative(nativeFormat);
    return ToResult(result);
}

platform::Result Win32Surface::SetColorKey(uint32_t flags, const platform::ColorKey* key) {
    DDCOLORKEY nativeKey{};
    if (key != nullptr) {
        nativeKey.dwColorSpaceLowValue = key->low;
        nativeKey.dwColorSpaceHighValue = key->high;
    }
    return ToResult(native_->SetColorKey(flags, key == nullptr ? nullptr : &nativeKey));
}

platform::Result Win32Surface::IsLost() {
    return ToResult(native_->IsLost());
}

platform::Result Win32Surface::Restore() {
    return ToResult(native_->Restore());
}

platform::Result Win32Surface::GetAttachedSurface(const platform::SurfaceCaps* caps,
                                                  platform::Surface** out) {
    if (caps == nullptr || out == nullptr) return platform::DDERR_INVALIDPARAMS;
    *out = nullptr;
    DDSCAPS nativeCaps{};
    nativeCaps.dwCaps = caps->caps;
    IDirectDrawSurface* attached = nullptr;
    const HRESULT result = native_->GetAttachedSurface(&nativeCaps, &attached);
    if (result == S_OK) *out = new Win32Surface(attached);
    return ToResult(result);
}

platform::Result Win32Surface::GetDC(platform::DeviceContextHandle* out) {
    if (out == nullptr) return platform::DDERR_INVALIDPARAMS;
    HDC dc = nullptr;
    const HRESULT result = native_->GetDC(&dc);
    *out = result == S_OK ? Wrap<platform::DeviceContextHandle>(dc) : nullptr;
    return ToResult(result);
}

platform::Result Win32Surface::ReleaseDC(platform::DeviceContextHandle dc) {
    return ToResult(native_->ReleaseDC(Native(dc)));
}

}  // namespace win32
