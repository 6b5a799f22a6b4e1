#include "display/soft/soft_direct_draw.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace soft {

using platform::Result;

namespace {

constexpr uint32_t kMaxSurfaceSide = 4096;

struct Orphans {
    std::vector<SoftSurface*> surfaces;
};

// Never destroyed: an object with static storage (the application's sprites) may still
// release an orphan while the program exits, after any ordinary static would be gone.
Orphans& OrphanList() {
    static Orphans* orphans = new Orphans;
    return *orphans;
}

}  // namespace

bool SameGuid(const platform::Guid& a, const platform::Guid& b) {
    return a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3 &&
           std::memcmp(a.data4, b.data4, sizeof a.data4) == 0;
}

SoftDirectDraw::SoftDirectDraw(PixelLayout layout, CallObserver* observer)
    : layout_(layout), observer_(observer) {}

SoftDirectDraw::~SoftDirectDraw() {
    for (SoftSurface* surface : surfaces_) {
        if (observer_ != nullptr) {
            if (surface->attached_ != nullptr) observer_->Destroyed(surface->attached_);
            observer_->Destroyed(surface);
        }
        surface->Orphan();
        OrphanList().surfaces.push_back(surface);
    }
    surfaces_.clear();
}

void SoftDirectDraw::ForgetOrphan(SoftSurface* surface) {
    std::erase(OrphanList().surfaces, surface);
}

size_t SoftDirectDraw::OrphanCount() {
    return OrphanList().surfaces.size();
}

void SoftDirectDraw::DetachObserver() {
    observer_ = nullptr;
}

Result SoftDirectDraw::Intercept(const char* operation, const char* subject,
                                 const std::string& call) {
    if (observer_ == nullptr) return platform::DD_OK;
    return observer_->Intercept(operation, subject, call);
}

void SoftDirectDraw::Forget(SoftSurface* surface) {
    std::erase(surfaces_, surface);
    if (primary_ == surface) primary_ = nullptr;
    if (observer_ != nullptr) {
        if (surface->attached_ != nullptr) observer_->Destroyed(surface->attached_);
        observer_->Destroyed(surface);
    }
}

void SoftDirectDraw::Present(SoftSurface& front) {
    if (presenter_ == nullptr || !front.HasPixels()) return;
    presenter_->Present(front.PixelAddress(0, 0), front.pitch_, front.width_, front.height_,
                        FormatOf(layout_));
}

void SoftDirectDraw::MarkAllLost() {
    for (SoftSurface* surface : surfaces_) surface->MarkLost();
}

Result SoftDirectDraw::QueryInterface(const platform::Guid& iid, platform::Unknown** out) {
    if (out == nullptr) return platform::DDERR_INVALIDPARAMS;
    *out = nullptr;
    Result answer = Intercept("QueryInterface", "DirectDraw", "QueryInterface(DirectDraw)");
    if (answer != platform::DD_OK) return answer;
    if (!SameGuid(iid, platform::IID_IDirectDraw2)) return platform::DDERR_NOINTERFACE;
    AddRef();
    *out = this;
    return platform::DD_OK;
}

uint32_t SoftDirectDraw::Release() {
    Intercept("Release", "DirectDraw", "Release(DirectDraw)");
    if (references_ > 0) --references_;
    if (references_ > 0) return references_;
    if (observer_ != nullptr) observer_->Destroyed(this);
    delete this;
    return 0;
}

Result SoftDirectDraw::SetCooperativeLevel(platform::WindowHandle window, uint32_t flags) {
    char text[64];
    std::snprintf(text, sizeof text, "SetCooperativeLevel(0x%X)", flags);
    Result answer = Intercept("SetCooperativeLevel", "DirectDraw", text);
    if (answer != platform::DD_OK) return answer;
    bool exclusive = (flags & platform::DDSCL_EXCLUSIVE) && (flags & platform::DDSCL_FULLSCREEN);
    if (!exclusive && !(flags & platform::DDSCL_NORMAL)) return platform::DDERR_INVALIDPARAMS;
    window_ = window;
    cooperativeFlags_ = flags;
    return platform::DD_OK;
}

Result SoftDirectDraw::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
    char text[64];
    std::snprintf(text, sizeof text, "SetDisplayMode(%u,%u,%u)", width, height, bitsPerPixel);
    Result answer = Intercept("SetDisplayMode", "DirectDraw", text);
    if (answer != platform::DD_OK) return answer;
    if (bitsPerPixel != 16 || width == 0 || height == 0 || width > kMaxSurfaceSide ||
        height > kMaxSurfaceSide) {
        return platform::DDERR_INVALIDPARAMS;
    }
    modeWidth_ = width;
    modeHeight_ = height;
    return platform::DD_OK;
}

Result SoftDirectDraw::CreateSurface(const platform::SurfaceDesc* desc, platform::Surface** out,
                                     platform::Unknown* outer) {
    if (out == nullptr || desc == nullptr) return platform::DDERR_INVALIDPARAMS;
    *out = nullptr;
    SurfaceKind kind = SurfaceKind::Offscreen;
    if (desc->caps.caps & platform::DDSCAPS_PRIMARYSURFACE) {
        kind = SurfaceKind::Primary;
    } else if (desc->caps.caps & platform::DDSCAPS_SYSTEMMEMORY) {
        kind = SurfaceKind::SystemMemory;
    }
    char call[64];
    if (kind == SurfaceKind::Primary) {
        std::snprintf(call, sizeof call, "CreateSurface(primary)");
    } else {
        std::snprintf(call, sizeof call, "CreateSurface(%s %ux%u)", KindName(kind), desc->width,
                      desc->height);
    }
    Result answer = Intercept("CreateSurface", KindName(kind), call);
    if (answer != platform::DD_OK) return answer;
    if (outer != nullptr || !(desc->flags & platform::DDSD_CAPS)) {
        return platform::DDERR_INVALIDPARAMS;
    }

    std::unique_ptr<SoftSurface> surface;
    if (kind == SurfaceKind::Primary) {
        if (primary_ != nullptr) return platform::DDERR_GENERIC;
        bool flipping = (desc->caps.caps & platform::DDSCAPS_FLIP) != 0;
        if (flipping &&
            (!(desc->caps.caps & platform::DDSCAPS_COMPLEX) ||
             !(desc->flags & platform::DDSD_BACKBUFFERCOUNT) || desc->backBufferCount != 1)) {
            return platform::DDERR_INVALIDPARAMS;
        }
        int width = static_cast<int>(modeWidth_), height = static_cast<int>(modeHeight_);
        surface = std::make_unique<SoftSurface>(this, kind, width, height, layout_);
        if (flipping) {
            surface->attached_ =
                new SoftSurface(this, SurfaceKind::BackBuffer, width, height, layout_);
        }
    } else {
        bool sized = (desc->flags & platform::DDSD_WIDTH) && (desc->flags & platform::DDSD_HEIGHT);
        if (!sized || desc->width == 0 || desc->height == 0 || desc->width > kMaxSurfaceSide ||
            desc->height > kMaxSurfaceSide) {
            return platform::DDERR_INVALIDPARAMS;
        }
        surface = std::make_unique<SoftSurface>(this, kind, static_cast<int>(desc->width),
                                                static_cast<int>(desc->height), layout_);
    }
    if (!surface->HasPixels() ||
        (surface->attached_ != nullptr && !surface->attached_->HasPixels())) {
        return platform::DDERR_OUTOFMEMORY;
    }
    if (kind == SurfaceKind::Primary) primary_ = surface.get();
    surfaces_.push_back(surface.get());
    *out = surface.release();
    return platform::DD_OK;
}

}  // namespace soft
