#pragma once

#include "display/win32/native_types.h"

namespace win32 {

// A DirectDraw object (the first DirectDraw interface) behind the platform interface.
class Win32DirectDraw final : public platform::DirectDraw {
  public:
    explicit Win32DirectDraw(IDirectDraw* native) : native_(native) {}

    platform::Result QueryInterface(const platform::Guid& iid, platform::Unknown** out) override;
    uint32_t Release() override;

    platform::Result SetCooperativeLevel(platform::WindowHandle window, uint32_t flags) override;
    platform::Result SetDisplayMode(uint32_t width, uint32_t height,
                                    uint32_t bitsPerPixel) override;
    platform::Result CreateSurface(const platform::SurfaceDesc* desc, platform::Surface** out,
                                   platform::Unknown* outer) override;

  private:
    ~Win32DirectDraw() override = default;
    IDirectDraw* native_;
};

// Brings the desktop's own surface to the front of an exclusive full-screen display, so that
// a window the system draws (a message box) is seen over the game; nothing when no display
// is held exclusively.
void ShowSystemSurface();

}  // namespace win32
