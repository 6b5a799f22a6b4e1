#pragma once

// A 16-bit surface held in ordinary memory, behaving as the game's display code expects of
// a display surface on any platform: colour fill, checked rectangle copies with an optional
// source colour key, locking, device contexts, loss and restoration, and reference counting.

#include <cstdint>
#include <string>
#include <vector>

#include "display/platform.h"
#include "display/soft/pixel_layout.h"
#include "display/soft/pixel_ops.h"

namespace soft {

class SoftDirectDraw;

enum class SurfaceKind { Primary, BackBuffer, Offscreen, SystemMemory };

// The word a call log and a failure filter use for a kind of surface.
const char* KindName(SurfaceKind kind);

class SoftSurface final : public platform::Surface {
  public:
    SoftSurface(SoftDirectDraw* owner, SurfaceKind kind, int width, int height, PixelLayout layout);
    ~SoftSurface() override;
    SoftSurface(const SoftSurface&) = delete;
    SoftSurface& operator=(const SoftSurface&) = delete;

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

    uint32_t AddRef() { return ++references_; }
    SurfaceKind Kind() const { return kind_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelLayout Layout() const { return layout_; }
    // "primary", "backbuffer", "offscreen 32x32", "sysmem 40x10".
    std::string Name() const;
    bool Lost() const { return lost_; }
    // Takes the memory away, as a mode switch does; the primary takes its back buffer along.
    void MarkLost();
    SoftSurface* Attached() const { return attached_; }
    // The current pixels (a flip exchanges them between primary and back buffer); no
    // rows at all once the surface is orphaned.
    Pixels16 Pixels() const;
    bool HasPixels() const { return !memory_.empty(); }
    // Address of a pixel of the current memory, whatever the lock and loss state.
    void* PixelAddress(int x, int y) const;
    // Called when the owning DirectDraw object is freed: the surface stays a valid object
    // until its last reference goes, but answers DDERR_SURFACELOST for ever.
    void Orphan();
    bool Orphaned() const { return owner_ == nullptr; }

  private:
    friend class SoftDirectDraw;
    // Shows the operation to the observer, if any; the readable call is only put together
    // when someone is there to read it, so the game's own draws pay nothing for the log.
    template <class Describe>
    platform::Result Intercept(const char* operation, Describe&& describe) {
        if (!Observed()) return platform::DD_OK;
        return InterceptObserved(operation, describe());
    }
    bool Observed() const;
    platform::Result InterceptObserved(const char* operation, const std::string& call);
    platform::Result Copy(const platform::Rect& from, SoftSurface& source, int x, int y,
                          bool keyed);
    void AllocatePixels();
    void FreePixels();
    void ExchangePixels(SoftSurface& other);
    void DestroyAttached();

    SoftDirectDraw* owner_;
    SurfaceKind kind_;
    int width_;
    int height_;
    PixelLayout layout_;
    uint32_t references_ = 1;
    std::vector<uint8_t> memory_;
    int pitch_ = 0;
    SoftSurface* attached_ = nullptr;  // the primary's back buffer, owned by the primary
    bool lost_ = false;
    bool locked_ = false;
    platform::DeviceContextHandle dc_ = nullptr;
    bool keyed_ = false;
    uint32_t key_ = 0;
};

}  // namespace soft
