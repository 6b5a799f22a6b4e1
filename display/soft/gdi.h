#pragma once

// Bitmaps and device contexts: decoded bitmaps held as plain colour values, memory device
// contexts, and copies between contexts that convert to the destination's pixel format.
// Turning a bitmap file's bytes into colours is left to each platform's own decoder.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "display/platform.h"

namespace soft {
class SoftSurface;
}

struct platform::BitmapObject {
    int width = 0;
    int height = 0;
    uint16_t bitsPerPixel = 0;  // as stored in the file
    std::vector<uint32_t> rgb;  // 0xRRGGBB, top row first
    platform::DeviceContextHandle selectedInto = nullptr;
};

// Either draws into a surface (from Surface::GetDC) or holds a selected bitmap (memory DC).
struct platform::DeviceContextObject {
    soft::SoftSurface* surface = nullptr;
    platform::BitmapHandle bitmap = nullptr;
};

namespace soft {

// No sheet is larger than the screen; anything bigger is refused before it is decoded.
inline constexpr int kMaxBitmapWidth = 640;
inline constexpr int kMaxBitmapHeight = 480;

// Reads the size and depth from a Windows bitmap file's headers, so a decoder can turn an
// oversized or truncated bitmap away before it allocates anything for it.
bool ReadBitmapHeader(const void* data, size_t size, int* width, int* height, int* bits);

// A bitmap of width x height colours; null when the size is out of range or does not match.
platform::BitmapHandle MakeBitmap(int width, int height, uint16_t bitsPerPixel,
                                  std::vector<uint32_t> rgb);

// A platform's decoder: null when the bytes are not a readable Windows bitmap of at most
// 640x480 pixels.
using BitmapDecoder = platform::BitmapHandle (*)(const void* data, size_t size);

// Null when the file cannot be read or is not such a bitmap.
platform::BitmapHandle LoadBitmapFile(const std::string& path, BitmapDecoder decode);

struct EmbeddedBytes {
    const unsigned char* data = nullptr;
    size_t size = 0;
};
// Finds the program's embedded sheet by name (case ignored); false when there is none.
using EmbeddedLookup = std::function<bool(const char* name, EmbeddedBytes* out)>;
// The lookup over a finder that answers a record with data and size, or null.
template <typename File>
EmbeddedLookup LookupBy(const File* (*find)(const char* name)) {
    return [find](const char* name, EmbeddedBytes* out) {
        const File* file = find(name);
        if (file == nullptr) return false;
        out->data = file->data;
        out->size = file->size;
        return true;
    };
}

// LoadImageA: with no instance and LR_LOADFROMFILE, the file name in directory (empty: the
// current directory); otherwise the embedded sheet. Only IMAGE_BITMAP is offered.
platform::BitmapHandle LoadImageByName(platform::ModuleHandle instance, const char* name,
                                       uint32_t type, uint32_t flags, const std::string& directory,
                                       const EmbeddedLookup& lookup, BitmapDecoder decode);

int GetBitmapObject(platform::BitmapHandle bitmap, int size, platform::BitmapInfo* info);
// False for a null bitmap or one still selected into a device context.
bool DeleteBitmap(platform::BitmapHandle bitmap);

platform::DeviceContextHandle CreateMemoryDC();
// Returns the bitmap selected before (null the first time), or null on failure.
platform::BitmapHandle SelectBitmap(platform::DeviceContextHandle dc,
                                    platform::BitmapHandle bitmap);
// Memory contexts only; a surface's context goes back through Surface::ReleaseDC.
bool DeleteMemoryDC(platform::DeviceContextHandle dc);
bool StretchBlt(platform::DeviceContextHandle dest, int x, int y, int width, int height,
                platform::DeviceContextHandle source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, uint32_t rop);
// Colours are 0x00BBGGRR; CLR_INVALID outside the picture or without one.
uint32_t GetPixel(platform::DeviceContextHandle dc, int x, int y);
uint32_t SetPixel(platform::DeviceContextHandle dc, int x, int y, uint32_t color);

}  // namespace soft
