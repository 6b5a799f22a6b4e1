#include <SDL.h>

#include <algorithm>

#include "display/sdl/letterbox.h"
#include "display/sdl/sdl_system.h"
#include "display/soft/soft_direct_draw.h"

namespace sdl {

using platform::Result;

Result SdlSystem::Intercept(const char*, const char*, const std::string&) {
    return platform::DD_OK;
}

void SdlSystem::Destroyed(platform::Unknown* object) {
    std::erase(directDraws_, dynamic_cast<soft::SoftDirectDraw*>(object));
}

Result SdlSystem::DirectDrawCreate(const platform::Guid*, platform::DirectDraw** out,
                                   platform::Unknown* outer) {
    if (out == nullptr) return platform::DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (outer != nullptr) return platform::DDERR_INVALIDPARAMS;
    auto* directDraw = new soft::SoftDirectDraw(soft::PixelLayout::Rgb565, this);
    directDraw->SetPresenter(this);
    directDraws_.push_back(directDraw);
    *out = directDraw;
    return platform::DD_OK;
}

void SdlSystem::Present(const void* pixels, int pitch, int width, int height,
                        platform::PixelFormat format) {
    buttonChangedThisFrame_ = false;
    if (window_ == nullptr) return;
    frames_.Present(platform::FrameView{pixels, pitch, width, height, format});
}

}  // namespace sdl
