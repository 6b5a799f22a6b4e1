#pragma once

#include "display/win32/native_types.h"

namespace win32 {

// A DirectDraw surface (the first surface interface) behind the platform interface. Each
// call is the system's call of the same name; records and handles are converted on the way.
class Win32Surface final : public platform::Surface {
  public:
    explicit Win32Surface(IDirectDrawSurface* native) : native_(native) {}

    // The system surface behind a platform surface of this layer, or null for null.
    static IDirectDrawSurface* NativeOf(platform::Surface* surface);

    platform::Result QueryInterface(const platform::Guid& iid, platform::Unknown** out) override;
    uint32_t Release() override;

    platform::Result Flip(platform::Surface* target, uint32_t flags) override;
    platform::Result Blt(const platform::Rect* dest, platform::Surface* source,
                         const platform::Rect* sourceRect, uint32_t flags,
                         const platform::BltFx* fx) override;
    platform::Result BltFast(int32_t x, int32_t y, platform::Surface* source,
                             const platform::Rect* sourceRect, uint32_t flags) override;
    platform::Result Lock(const platform::Rect* rect, platform::SurfaceDesc* desc, uint32_t flags,
                          void* event) override;
    platform::Result Unlock(const platform::Rect* rect) override;
    platform::Result GetPixelFormat(platform::PixelFormat* format) override;
    platform::Result SetColorKey(uint32_t flags, const platform::ColorKey* key) override;
    platform::Result IsLost() override;
    platform::Result Restore() override;
    platform::Result GetAttachedSurface(const platform::SurfaceCaps* caps,
                                        platform::Surface** out) override;
    platform::Result GetDC(platform::DeviceContextHandle* out) override;
    platform::Result ReleaseDC(platform::DeviceContextHandle dc) override;

  private:
    ~Win32Surface() override = default;
    IDirectDrawSurface* native_;
};

}  // namespace win32
