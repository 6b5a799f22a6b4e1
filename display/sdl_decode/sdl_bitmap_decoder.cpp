#include "display/sdl_decode/sdl_bitmap_decoder.h"

#include <SDL.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "display/soft/gdi.h"

namespace sdl {

SDL_Surface* DecodeSdlSurface(const void* data, size_t size) {
    int width = 0, height = 0, bits = 0;
    if (!soft::ReadBitmapHeader(data, size, &width, &height, &bits)) return nullptr;
    if (width < 1 || height < 1 || width > soft::kMaxBitmapWidth ||
        height > soft::kMaxBitmapHeight) {
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (stream == nullptr) return nullptr;
    SDL_Surface* image = SDL_LoadBMP_RW(stream, 1);
    if (image == nullptr) return nullptr;
    if (image->w != width || image->h != height) {
        SDL_FreeSurface(image);
        return nullptr;
    }
    // The bitmap is copied as it stands: never blended, never keyed.
    SDL_SetSurfaceBlendMode(image, SDL_BLENDMODE_NONE);
    SDL_SetColorKey(image, SDL_FALSE, 0);
    return image;
}

platform::BitmapHandle DecodeBitmapWithSdl(const void* data, size_t size) {
    SDL_Surface* image = DecodeSdlSurface(data, size);
    if (image == nullptr) return nullptr;
    // Widening to 8 bits a channel loses nothing; the bitmap's own depth is still reported.
    int bits = 0, width = 0, height = 0;
    soft::ReadBitmapHeader(data, size, &width, &height, &bits);
    SDL_Surface* wide = SDL_ConvertSurfaceFormat(image, SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(image);
    if (wide == nullptr) return nullptr;
    std::vector<uint32_t> rgb(static_cast<size_t>(wide->w) * static_cast<size_t>(wide->h));
    for (int y = 0; y < wide->h; ++y) {
        std::memcpy(&rgb[static_cast<size_t>(y) * wide->w],
                    static_cast<const uint8_t*>(wide->pixels) + y * wide->pitch,
                    static_cast<size_t>(wide->w) * 4);
    }
    platform::BitmapHandle bitmap =
        soft::MakeBitmap(wide->w, wide->h, static_cast<uint16_t>(bits), std::move(rgb));
    SDL_FreeSurface(wide);
    return bitmap;
}

}  // namespace sdl
