#include "display/win32/win32_direct_draw.h"

#include "display/win32/com_interface.h"
#include "display/win32/win32_surface.h"

namespace win32 {

namespace {

// The DirectDraw object holding the display exclusively, if any.
IDirectDraw* exclusiveDisplay = nullptr;

}  // namespace

void ShowSystemSurface() {
    if (exclusiveDisplay != nullptr) exclusiveDisplay->FlipToGDISurface();
}

platform::Result Win32DirectDraw::QueryInterface(const platform::Guid& iid,
                                                 platform::Unknown** out) {
    return QueryNativeInterface(native_, iid, out);
}

uint32_t Win32DirectDraw::Release() {
    const ULONG left = native_->Release();
    if (left == 0 && exclusiveDisplay == native_) exclusiveDisplay = nullptr;
    if (left == 0) delete this;
    return left;
}

platform::Result Win32DirectDraw::SetCooperativeLevel(platform::WindowHandle window,
                                                      uint32_t flags) {
    const HRESULT result = native_->SetCooperativeLevel(Native(window), flags);
    if (result == S_OK) {
        if (flags & platform::DDSCL_EXCLUSIVE) {
            exclusiveDisplay = native_;
        } else if (exclusiveDisplay == native_) {
            exclusiveDisplay = nullptr;
        }
    }
    return ToResult(result);
}

platform::Result Win32DirectDraw::SetDisplayMode(uint32_t width, uint32_t height,
                                                 uint32_t bitsPerPixel) {
    return ToResult(native_->SetDisplayMode(width, height, bitsPerPixel));
}

platform::Result Win32DirectDraw::CreateSurface(const platform::SurfaceDesc* desc,
                                                platform::Surface** out, platform::Unknown* outer) {
    if (out == nullptr) return platform::DDERR_INVALIDPARAMS;
    *out = nullptr;
    // Aggregation is not offered by the system either.
    if (desc == nullptr || desc->size != kSurfaceDescSize || outer != nullptr) {
        return platform::DDERR_INVALIDPARAMS;
    }
    DDSURFACEDESC nativeDesc = Native(*desc);
    IDirectDrawSurface* surface = nullptr;
    const HRESULT result = native_->CreateSurface(&nativeDesc, &surface, nullptr);
    if (result == S_OK) *out = new Win32Surface(surface);
    return ToResult(result);
}

}  // namespace win32
