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
    if (renderer_ == nullptr) return;
    uint32_t sdlFormat = format.gBitMask == 0x3E0 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565;
    if (texture_ == nullptr || width != textureWidth_ || height != textureHeight_ ||
        sdlFormat != textureFormat_) {
        if (texture_ != nullptr) SDL_DestroyTexture(texture_);
        texture_ =
            SDL_CreateTexture(renderer_, sdlFormat, SDL_TEXTUREACCESS_STREAMING, width, height);
        textureWidth_ = width;
        textureHeight_ = height;
        textureFormat_ = sdlFormat;
        if (texture_ == nullptr) return;
    }
    SDL_UpdateTexture(texture_, nullptr, pixels, pitch);
    Redraw();
    PaceFrames();
}

void SdlSystem::Redraw() {
    if (renderer_ == nullptr) return;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    if (texture_ != nullptr) {
        int outputWidth = 0, outputHeight = 0;
        SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
        Viewport view = FitPicture(outputWidth, outputHeight, textureWidth_, textureHeight_);
        SDL_Rect target{view.x, view.y, view.width, view.height};
        SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    }
    SDL_RenderPresent(renderer_);
}

// A presented frame waits out the rest of its display period, so the loop never spins a
// processor flat out where the renderer's vertical sync is missing or does not wait.
void SdlSystem::PaceFrames() {
    uint32_t now = SDL_GetTicks();
    uint32_t spent = now - lastPresentMs_;
    if (lastPresentMs_ != 0 && spent < framePeriodMs_) {
        SDL_Delay(framePeriodMs_ - spent);
        now = SDL_GetTicks();
    }
    lastPresentMs_ = now;
}

}  // namespace sdl
