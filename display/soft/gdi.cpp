#include "display/soft/gdi.h"

#include <SDL.h>
#include <strings.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "display/soft/soft_surface.h"

namespace soft {

namespace {

// The largest file that can hold a 640x480 bitmap with generous headers and padding.
constexpr long kMaxBitmapFileBytes = 4L * 1024 * 1024;

uint32_t ReadLe(const unsigned char* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
    return value;
}

// Reads the size and depth from the headers, so an oversized or truncated bitmap is turned
// away before the decoder allocates anything for it.
bool ReadHeader(const unsigned char* p, size_t size, int* width, int* height, int* bits) {
    if (size < 26 || p[0] != 'B' || p[1] != 'M') return false;
    uint32_t infoSize = ReadLe(p + 14, 4);
    if (infoSize == 12) {
        *width = static_cast<int>(ReadLe(p + 18, 2));
        *height = static_cast<int>(ReadLe(p + 20, 2));
        *bits = static_cast<int>(ReadLe(p + 24, 2));
        return true;
    }
    if (infoSize < 40 || size < 30) return false;
    *width = static_cast<int32_t>(ReadLe(p + 18, 4));
    int32_t signedHeight = static_cast<int32_t>(ReadLe(p + 22, 4));
    if (signedHeight == INT32_MIN) return false;
    *height = signedHeight < 0 ? -signedHeight : signedHeight;
    *bits = static_cast<int>(ReadLe(p + 28, 2));
    return true;
}

SDL_Surface* ContextPixels(platform::DeviceContextHandle dc) {
    if (dc == nullptr) return nullptr;
    if (dc->surface != nullptr) return dc->surface->Pixels();
    if (dc->bitmap != nullptr) return dc->bitmap->image;
    return nullptr;
}

uint32_t ReadPixel(const SDL_Surface* s, int x, int y) {
    const auto* p =
        static_cast<const uint8_t*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    switch (s->format->BytesPerPixel) {
        case 1:
            return p[0];
        case 2:
            return ReadLe(p, 2);
        case 3:
            return ReadLe(p, 3);
        default:
            return ReadLe(p, 4);
    }
}

void WritePixel(SDL_Surface* s, int x, int y, uint32_t value) {
    auto* p = static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    for (int i = 0; i < s->format->BytesPerPixel; ++i)
        p[i] = static_cast<uint8_t>(value >> (8 * i));
}

bool Inside(const SDL_Surface* s, int x, int y) {
    return s != nullptr && x >= 0 && y >= 0 && x < s->w && y < s->h;
}

}  // namespace

platform::BitmapHandle DecodeBitmap(const void* data, size_t size) {
    if (data == nullptr) return nullptr;
    int width = 0, height = 0, bits = 0;
    if (!ReadHeader(static_cast<const unsigned char*>(data), size, &width, &height, &bits)) {
        return nullptr;
    }
    if (width < 1 || height < 1 || width > kMaxBitmapWidth || height > kMaxBitmapHeight) {
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
    auto* bitmap = new platform::BitmapObject;
    bitmap->image = image;
    bitmap->bitsPerPixel = static_cast<uint16_t>(bits);
    return bitmap;
}

platform::BitmapHandle LoadBitmapFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return nullptr;
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (static_cast<long>(bytes.size()) > kMaxBitmapFileBytes) break;
    }
    std::fclose(file);
    if (static_cast<long>(bytes.size()) > kMaxBitmapFileBytes) return nullptr;
    return DecodeBitmap(bytes.data(), bytes.size());
}

platform::BitmapHandle LoadImageByName(platform::ModuleHandle instance, const char* name,
                                       uint32_t type, uint32_t flags, const std::string& directory,
                                       const EmbeddedLookup& lookup) {
    if (name == nullptr || type != platform::IMAGE_BITMAP) return nullptr;
    if (instance == nullptr && (flags & platform::LR_LOADFROMFILE)) {
        std::string path = directory.empty() ? std::string(name) : directory + "/" + name;
        return LoadBitmapFile(path);
    }
    EmbeddedBytes bytes;
    if (!lookup || !lookup(name, &bytes)) return nullptr;
    return DecodeBitmap(bytes.data, bytes.size);
}

SDL_Surface* BitmapPixels(platform::BitmapHandle bitmap) {
    return bitmap != nullptr ? bitmap->image : nullptr;
}

int GetBitmapObject(platform::BitmapHandle bitmap, int size, platform::BitmapInfo* info) {
    if (bitmap == nullptr) return 0;
    if (info == nullptr) return static_cast<int>(sizeof(platform::BitmapInfo));
    if (size < static_cast<int>(sizeof(platform::BitmapInfo))) return 0;
    info->type = 0;
    info->width = bitmap->image->w;
    info->height = bitmap->image->h;
    info->widthBytes = (bitmap->image->w * bitmap->bitsPerPixel + 15) / 16 * 2;
    info->planes = 1;
    info->bitsPixel = bitmap->bitsPerPixel;
    return static_cast<int>(sizeof(platform::BitmapInfo));
}

bool DeleteBitmap(platform::BitmapHandle bitmap) {
    if (bitmap == nullptr || bitmap->selectedInto != nullptr) return false;
    SDL_FreeSurface(bitmap->image);
    delete bitmap;
    return true;
}

platform::DeviceContextHandle CreateMemoryDC() {
    return new platform::DeviceContextObject;
}

platform::BitmapHandle SelectBitmap(platform::DeviceContextHandle dc,
                                    platform::BitmapHandle bitmap) {
    if (dc == nullptr || dc->surface != nullptr || bitmap == nullptr) return nullptr;
    if (bitmap->selectedInto != nullptr && bitmap->selectedInto != dc) return nullptr;
    platform::BitmapHandle previous = dc->bitmap;
    if (previous != nullptr) previous->selectedInto = nullptr;
    dc->bitmap = bitmap;
    bitmap->selectedInto = dc;
    return previous;
}

bool DeleteMemoryDC(platform::DeviceContextHandle dc) {
    if (dc == nullptr || dc->surface != nullptr) return false;
    if (dc->bitmap != nullptr) dc->bitmap->selectedInto = nullptr;
    delete dc;
    return true;
}

bool StretchBlt(platform::DeviceContextHandle dest, int x, int y, int width, int height,
                platform::DeviceContextHandle source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, uint32_t rop) {
    SDL_Surface* to = ContextPixels(dest);
    SDL_Surface* from = ContextPixels(source);
    if (to == nullptr || from == nullptr || rop != platform::SRCCOPY) return false;
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return false;
    SDL_SetSurfaceBlendMode(from, SDL_BLENDMODE_NONE);
    SDL_SetColorKey(from, SDL_FALSE, 0);
    SDL_Rect fromRect{sourceX, sourceY, sourceWidth, sourceHeight};
    SDL_Rect toRect{x, y, width, height};
    if (from == to) return false;
    if (width == sourceWidth && height == sourceHeight) {
        return SDL_BlitSurface(from, &fromRect, to, &toRect) == 0;
    }
    return SDL_BlitScaled(from, &fromRect, to, &toRect) == 0;
}

uint32_t GetPixel(platform::DeviceContextHandle dc, int x, int y) {
    SDL_Surface* s = ContextPixels(dc);
    if (!Inside(s, x, y)) return platform::CLR_INVALID;
    uint8_t r, g, b;
    SDL_GetRGB(ReadPixel(s, x, y), s->format, &r, &g, &b);
    return uint32_t{r} | (uint32_t{g} << 8) | (uint32_t{b} << 16);
}

uint32_t SetPixel(platform::DeviceContextHandle dc, int x, int y, uint32_t color) {
    SDL_Surface* s = ContextPixels(dc);
    if (!Inside(s, x, y)) return platform::CLR_INVALID;
    WritePixel(s, x, y,
               SDL_MapRGB(s->format, color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
    return GetPixel(dc, x, y);
}

}  // namespace soft
