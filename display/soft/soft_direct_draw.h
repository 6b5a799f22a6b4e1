#pragma once

// The DirectDraw object of the software display: one 16-bit display mode in the layout
// chosen at creation, a primary surface with one back buffer whose Flip hands the picture
// to a Presenter, and plain surfaces in ordinary memory.

#include <cstdint>
#include <vector>

#include "display/platform.h"
#include "display/soft/call_observer.h"
#include "display/soft/pixel_layout.h"
#include "display/soft/soft_surface.h"

namespace soft {

bool SameGuid(const platform::Guid& a, const platform::Guid& b);

class SoftDirectDraw final : public platform::DirectDraw {
  public:
    // observer may be null; it must outlive the object and its surfaces, or be cleared with
    // DetachObserver first.
    explicit SoftDirectDraw(PixelLayout layout, CallObserver* observer = nullptr);
    ~SoftDirectDraw() override;
    SoftDirectDraw(const SoftDirectDraw&) = delete;
    SoftDirectDraw& operator=(const SoftDirectDraw&) = delete;

    platform::Result QueryInterface(const platform::Guid& iid, platform::Unknown** out) override;
    // At zero references every surface it made goes with it (they turn into orphans).
    uint32_t Release() override;
    platform::Result SetCooperativeLevel(platform::WindowHandle window, uint32_t flags) override;
    // 16 bits per pixel only.
    platform::Result SetDisplayMode(uint32_t width, uint32_t height,
                                    uint32_t bitsPerPixel) override;
    platform::Result CreateSurface(const platform::SurfaceDesc* desc, platform::Surface** out,
                                   platform::Unknown* outer) override;

    uint32_t AddRef() { return ++references_; }
    PixelLayout Layout() const { return layout_; }
    void SetPresenter(Presenter* presenter) { presenter_ = presenter; }
    // Every surface loses its memory, as when the display is taken from the program.
    void MarkAllLost();
    SoftSurface* Primary() const { return primary_; }
    // Surfaces made by this object and not yet freed (a primary counts with its back buffer).
    const std::vector<SoftSurface*>& Surfaces() const { return surfaces_; }
    platform::WindowHandle CooperativeWindow() const { return window_; }
    uint32_t CooperativeFlags() const { return cooperativeFlags_; }
    void DetachObserver();

    // Surfaces whose DirectDraw object is gone wait here for their last Release.
    static void ForgetOrphan(SoftSurface* surface);
    static size_t OrphanCount();

    bool Observed() const { return observer_ != nullptr && observer_->InterceptsCalls(); }

  private:
    friend class SoftSurface;
    platform::Result Intercept(const char* operation, const char* subject, const std::string& call);
    void Forget(SoftSurface* surface);
    void Present(SoftSurface& front);

    PixelLayout layout_;
    CallObserver* observer_;
    Presenter* presenter_ = nullptr;
    uint32_t references_ = 1;
    platform::WindowHandle window_ = nullptr;
    uint32_t cooperativeFlags_ = 0;
    uint32_t modeWidth_ = 640;
    uint32_t modeHeight_ = 480;
    std::vector<SoftSurface*> surfaces_;
    SoftSurface* primary_ = nullptr;
};

}  // namespace soft
