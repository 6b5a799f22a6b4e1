#include "display/soft/soft_surface.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "display/soft/gdi.h"
#include "display/soft/soft_direct_draw.h"

namespace soft {

using platform::Rect;
using platform::Result;

namespace {

// Rows are wider than the picture, as on display hardware, so code that ignores the pitch
// shows its fault at once.
constexpr int kRowPadding = 16;

// What a restored surface holds until its owner draws it again.
constexpr uint8_t kRestoredByte = 0xA5;

std::string RectText(const Rect& r) {
    char text[64];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", r.left, r.top, r.right, r.bottom);
    return text;
}

bool RectInside(const Rect& r, int width, int height) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= width &&
           r.bottom <= height;
}

}  // namespace

const char* KindName(SurfaceKind kind) {
    switch (kind) {
        case SurfaceKind::Primary:
            return "primary";
        case SurfaceKind::BackBuffer:
            return "backbuffer";
        case SurfaceKind::Offscreen:
            return "offscreen";
        case SurfaceKind::SystemMemory:
            return "sysmem";
    }
    return "surface";
}

SoftSurface::SoftSurface(SoftDirectDraw* owner, SurfaceKind kind, int width, int height,
                         PixelLayout layout)
    : owner_(owner), kind_(kind), width_(width), height_(height), layout_(layout) {
    AllocatePixels();
}

SoftSurface::~SoftSurface() {
    DestroyAttached();
    delete dc_;
    FreePixels();
}

void SoftSurface::AllocatePixels() {
    pitch_ = (width_ * 2 + 3) / 4 * 4 + kRowPadding;
    memory_.assign(static_cast<size_t>(pitch_) * static_cast<size_t>(height_), 0);
}

void SoftSurface::FreePixels() {
    memory_.clear();
    memory_.shrink_to_fit();
}

void SoftSurface::ExchangePixels(SoftSurface& other) {
    std::swap(memory_, other.memory_);
}

Pixels16 SoftSurface::Pixels() const {
    if (memory_.empty()) return Pixels16{};
    return Pixels16{const_cast<uint8_t*>(memory_.data()), pitch_, width_, height_};
}

void SoftSurface::DestroyAttached() {
    if (attached_ == nullptr) return;
    SoftSurface* back = attached_;
    attached_ = nullptr;
    if (owner_ != nullptr && owner_->observer_ != nullptr) owner_->observer_->Destroyed(back);
    delete back;
}

void* SoftSurface::PixelAddress(int x, int y) const {
    return const_cast<uint8_t*>(memory_.data()) + y * pitch_ + x * 2;
}

std::string SoftSurface::Name() const {
    if (kind_ == SurfaceKind::Primary || kind_ == SurfaceKind::BackBuffer) return KindName(kind_);
    return std::string(KindName(kind_)) + " " + std::to_string(width_) + "x" +
           std::to_string(height_);
}

bool SoftSurface::Observed() const {
    return owner_ != nullptr && owner_->Observed();
}

Result SoftSurface::InterceptObserved(const char* operation, const std::string& call) {
    return owner_->Intercept(operation, KindName(kind_), call);
}

void SoftSurface::MarkLost() {
    lost_ = true;
    if (attached_ != nullptr) attached_->lost_ = true;
}

void SoftSurface::Orphan() {
    if (attached_ != nullptr) attached_->Orphan();
    owner_ = nullptr;
    lost_ = true;
    FreePixels();
}

Result SoftSurface::QueryInterface(const platform::Guid& iid, platform::Unknown** out) {
    if (out == nullptr) return platform::DDERR_INVALIDPARAMS;
    *out = nullptr;
    Result answer = Intercept("QueryInterface", [&] { return "QueryInterface(" + Name() + ")"; });
    if (answer != platform::DD_OK) return answer;
    if (!SameGuid(iid, platform::IID_IDirectDrawSurface3)) return platform::DDERR_NOINTERFACE;
    AddRef();
    *out = this;
    return platform::DD_OK;
}

uint32_t SoftSurface::Release() {
    Intercept("Release", [&] { return "Release(" + Name() + ")"; });
    if (references_ > 0) --references_;
    if (references_ > 0) return references_;
    // The back buffer lives and dies with its primary, whatever its own count says.
    if (kind_ == SurfaceKind::BackBuffer) return 0;
    if (owner_ != nullptr) {
        owner_->Forget(this);
    } else {
        SoftDirectDraw::ForgetOrphan(this);
    }
    delete this;
    return 0;
}

Result SoftSurface::Flip(platform::Surface* target, uint32_t flags) {
    Result answer = Intercept("Flip", [&] { return "Flip(" + Name() + ")"; });
    if (answer != platform::DD_OK) return answer;
    if (Orphaned()) return platform::DDERR_SURFACELOST;
    if (kind_ != SurfaceKind::Primary || attached_ == nullptr) return platform::DDERR_GENERIC;
    if (target != nullptr && target != attached_) return platform::DDERR_INVALIDPARAMS;
    (void)flags;
    if (lost_ || attached_->lost_) return platform::DDERR_SURFACELOST;
    if (locked_ || attached_->locked_ || dc_ != nullptr || attached_->dc_ != nullptr) {
        return platform::DDERR_SURFACEBUSY;
    }
    ExchangePixels(*attached_);
    owner_->Present(*this);
    return platform::DD_OK;
}

Result SoftSurface::Blt(const Rect* dest, platform::Surface* source, const Rect* sourceRect,
                        uint32_t flags, const platform::BltFx* fx) {
    Rect area = dest != nullptr ? *dest : Rect{0, 0, width_, height_};
    Result answer = Intercept("Blt", [&] {
        char extra[32];
        std::snprintf(extra, sizeof extra, ",fill=0x%X", fx != nullptr ? fx->fillColor : 0u);
        return "Blt(" + Name() + "," + RectText(area) + extra + ")";
    });
    if (answer != platform::DD_OK) return answer;
    // Only the colour fill is offered.
    if (!(flags & platform::DDBLT_COLORFILL) || fx == nullptr || source != nullptr ||
        sourceRect != nullptr) {
        return platform::DDERR_INVALIDPARAMS;
    }
    if (lost_) return platform::DDERR_SURFACELOST;
    if (locked_ || dc_ != nullptr) return platform::DDERR_SURFACEBUSY;
    if (!RectInside(area, width_, height_)) return platform::DDERR_INVALIDRECT;
    Fill16(Pixels(), area.left, area.top, area.right - area.left, area.bottom - area.top,
           static_cast<uint16_t>(fx->fillColor & 0xFFFF));
    return platform::DD_OK;
}

Result SoftSurface::BltFast(int32_t x, int32_t y, platform::Surface* source, const Rect* sourceRect,
                            uint32_t flags) {
    auto* from = dynamic_cast<SoftSurface*>(source);
    Rect area{0, 0, 0, 0};
    if (sourceRect != nullptr) {
        area = *sourceRect;
    } else if (from != nullptr) {
        area = Rect{0, 0, from->width_, from->height_};
    }
    Result answer = Intercept("BltFast", [&] {
        char call[96];
        std::snprintf(call, sizeof call, ",%d,%d,", x, y);
        return "BltFast(" + Name() + call + (from ? from->Name() : "null") + "," + RectText(area) +
               (flags & platform::DDBLTFAST_SRCCOLORKEY ? ",key)" : ")");
    });
    if (answer != platform::DD_OK) return answer;
    if (from == nullptr) return platform::DDERR_INVALIDPARAMS;
    if (lost_ || from->lost_) return platform::DDERR_SURFACELOST;
    if (locked_ || dc_ != nullptr || from->locked_ || from->dc_ != nullptr) {
        return platform::DDERR_SURFACEBUSY;
    }
    if (!RectInside(area, from->width_, from->height_)) return platform::DDERR_INVALIDRECT;
    int64_t right = int64_t{x} + (area.right - area.left);
    int64_t bottom = int64_t{y} + (area.bottom - area.top);
    if (x < 0 || y < 0 || right > width_ || bottom > height_) return platform::DDERR_INVALIDRECT;
    return Copy(area, *from, x, y, (flags & platform::DDBLTFAST_SRCCOLORKEY) != 0);
}

Result SoftSurface::Copy(const Rect& from, SoftSurface& source, int x, int y, bool keyed) {
    Copy16(source.Pixels(), from.left, from.top, from.right - from.left, from.bottom - from.top,
           Pixels(), x, y, keyed && source.keyed_, static_cast<uint16_t>(source.key_));
    return platform::DD_OK;
}

Result SoftSurface::Lock(const Rect* rect, platform::SurfaceDesc* desc, uint32_t flags,
                         void* event) {
    (void)flags;
    (void)event;
    Rect area = rect != nullptr ? *rect : Rect{0, 0, width_, height_};
    Result answer =
        Intercept("Lock", [&] { return "Lock(" + Name() + "," + RectText(area) + ")"; });
    if (answer != platform::DD_OK) return answer;
    if (desc == nullptr) return platform::DDERR_INVALIDPARAMS;
    if (lost_) return platform::DDERR_SURFACELOST;
    if (locked_ || dc_ != nullptr) return platform::DDERR_SURFACEBUSY;
    if (!RectInside(area, width_, height_)) return platform::DDERR_INVALIDRECT;
    locked_ = true;
    desc->flags = platform::DDSD_CAPS | platform::DDSD_HEIGHT | platform::DDSD_WIDTH;
    desc->width = static_cast<uint32_t>(width_);
    desc->height = static_cast<uint32_t>(height_);
    desc->pitch = pitch_;
    desc->surface = PixelAddress(area.left, area.top);
    desc->pixelFormat = FormatOf(layout_);
    desc->caps.caps = 0;
    return platform::DD_OK;
}

Result SoftSurface::Unlock(const Rect* rect) {
    (void)rect;
    Result answer = Intercept("Unlock", [&] { return "Unlock(" + Name() + ")"; });
    if (answer != platform::DD_OK) return answer;
    if (!locked_) return platform::DDERR_NOTLOCKED;
    locked_ = false;
    return platform::DD_OK;
}

Result SoftSurface::GetPixelFormat(platform::PixelFormat* format) {
    Result answer = Intercept("GetPixelFormat", [&] { return "GetPixelFormat(" + Name() + ")"; });
    if (answer != platform::DD_OK) return answer;
    if (format == nullptr) return platform::DDERR_INVALIDPARAMS;
    *format = FormatOf(layout_);
    return platform::DD_OK;
}

Result SoftSurface::SetColorKey(uint32_t flags, const platform::ColorKey* key) {
    Result answer = Intercept("SetColorKey", [&] {
        char text[64];
        std::snprintf(text, sizeof text, ",0x%X)", key != nullptr ? key->low : 0u);
        return "SetColorKey(" + Name() + text;
    });
    if (answer != platform::DD_OK) return answer;
    if (!(flags & platform::DDCKEY_SRCBLT)) return platform::DDERR_INVALIDPARAMS;
    keyed_ = key != nullptr;
    key_ = key != nullptr ? (key->low & 0xFFFF) : 0;
    return platform::DD_OK;
}

Result SoftSurface::IsLost() {
    Result answer = Intercept("IsLost", [&] { return "IsLost(" + Name() + ")"; });
    if (answer != platform::DD_OK) return answer;
    return lost_ ? platform::DDERR_SURFACELOST : platform::DD_OK;
}

Result SoftSurface::Restore() {
    Result answer = Intercept("Restore", [&] { return "Restore(" + Name() + ")"; });
    if (answer != platform::DD_OK) return answer;
    if (Orphaned()) return platform::DDERR_GENERIC;
    for (SoftSurface* s : {this, attached_}) {
        if (s == nullptr || !s->lost_) continue;
        s->lost_ = false;
        std::memset(s->memory_.data(), kRestoredByte, s->memory_.size());
    }
    return platform::DD_OK;
}

Result SoftSurface::GetAttachedSurface(const platform::SurfaceCaps* caps, platform::Surface** out) {
    if (out == nullptr) return platform::DDERR_INVALIDPARAMS;
    *out = nullptr;
    Result answer =
        Intercept("GetAttachedSurface", [&] { return "GetAttachedSurface(" + Name() + ")"; });
    if (answer != platform::DD_OK) return answer;
    if (caps == nullptr || !(caps->caps & platform::DDSCAPS_BACKBUFFER) || attached_ == nullptr) {
        return platform::DDERR_GENERIC;
    }
    attached_->AddRef();
    *out = attached_;
    return platform::DD_OK;
}

Result SoftSurface::GetDC(platform::DeviceContextHandle* out) {
    if (out == nullptr) return platform::DDERR_INVALIDPARAMS;
    *out = nullptr;
    Result answer = Intercept("GetDC", [&] { return "GetDC(" + Name() + ")"; });
    if (answer != platform::DD_OK) return answer;
    if (lost_) return platform::DDERR_SURFACELOST;
    if (locked_ || dc_ != nullptr) return platform::DDERR_CANTCREATEDC;
    dc_ = new platform::DeviceContextObject;
    dc_->surface = this;
    *out = dc_;
    return platform::DD_OK;
}

Result SoftSurface::ReleaseDC(platform::DeviceContextHandle dc) {
    Result answer = Intercept("ReleaseDC", [&] { return "ReleaseDC(" + Name() + ")"; });
    if (answer != platform::DD_OK) return answer;
    if (dc == nullptr || dc != dc_) return platform::DDERR_INVALIDPARAMS;
    delete dc_;
    dc_ = nullptr;
    return platform::DD_OK;
}

}  // namespace soft
