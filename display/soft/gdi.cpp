#include "display/soft/gdi.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>
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

// What a device context draws into or holds: a 16-bit surface or a bitmap's colours.
struct Canvas {
    SoftSurface* surface = nullptr;
    platform::BitmapObject* bitmap = nullptr;
    int width = 0;
    int height = 0;
};

Canvas CanvasOf(platform::DeviceContextHandle dc) {
    Canvas canvas;
    if (dc == nullptr) return canvas;
    if (dc->surface != nullptr) {
        if (!dc->surface->HasPixels()) return canvas;
        canvas.surface = dc->surface;
        canvas.width = dc->surface->Width();
        canvas.height = dc->surface->Height();
    } else if (dc->bitmap != nullptr) {
        canvas.bitmap = dc->bitmap;
        canvas.width = dc->bitmap->width;
        canvas.height = dc->bitmap->height;
    }
    return canvas;
}

bool Valid(const Canvas& c) {
    return c.surface != nullptr || c.bitmap != nullptr;
}

bool Inside(const Canvas& c, int x, int y) {
    return Valid(c) && x >= 0 && y >= 0 && x < c.width && y < c.height;
}

uint16_t* SurfacePixel(const Canvas& c, int x, int y) {
    return static_cast<uint16_t*>(c.surface->PixelAddress(x, y));
}

uint32_t ReadRgb(const Canvas& c, int x, int y) {
    if (c.surface != nullptr) return UnpackRgb(*SurfacePixel(c, x, y), c.surface->Layout());
    return c.bitmap->rgb[static_cast<size_t>(y) * c.width + x];
}

void WriteRgb(const Canvas& c, int x, int y, uint32_t rgb) {
    if (c.surface != nullptr) {
        *SurfacePixel(c, x, y) = PackRgb(rgb, c.surface->Layout());
    } else {
        c.bitmap->rgb[static_cast<size_t>(y) * c.width + x] = rgb & 0xFFFFFF;
    }
}

// One pixel from `from` to `to`; between surfaces of one layout the value goes unchanged,
// so even the unused top bit of 5-5-5 survives, as in a plain memory copy.
void MovePixel(const Canvas& from, int fromX, int fromY, const Canvas& to, int x, int y) {
    if (from.surface != nullptr && to.surface != nullptr &&
        from.surface->Layout() == to.surface->Layout()) {
        *SurfacePixel(to, x, y) = *SurfacePixel(from, fromX, fromY);
    } else {
        WriteRgb(to, x, y, ReadRgb(from, fromX, fromY));
    }
}

uint32_t SwapRedBlue(uint32_t rgb) {
    return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

}  // namespace

bool ReadBitmapHeader(const void* data, size_t size, int* width, int* height, int* bits) {
    if (data == nullptr) return false;
    return ReadHeader(static_cast<const unsigned char*>(data), size, width, height, bits);
}

platform::BitmapHandle MakeBitmap(int width, int height, uint16_t bitsPerPixel,
                                  std::vector<uint32_t> rgb) {
    if (width < 1 || height < 1 || width > kMaxBitmapWidth || height > kMaxBitmapHeight) {
        return nullptr;
    }
    if (rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) return nullptr;
    auto* bitmap = new platform::BitmapObject;
    bitmap->width = width;
    bitmap->height = height;
    bitmap->bitsPerPixel = bitsPerPixel;
    bitmap->rgb = std::move(rgb);
    for (uint32_t& value : bitmap->rgb) value &= 0xFFFFFF;
    return bitmap;
}

platform::BitmapHandle LoadBitmapFile(const std::string& path, BitmapDecoder decode) {
    if (decode == nullptr) return nullptr;
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
    return decode(bytes.data(), bytes.size());
}

platform::BitmapHandle LoadImageByName(platform::ModuleHandle instance, const char* name,
                                       uint32_t type, uint32_t flags, const std::string& directory,
                                       const EmbeddedLookup& lookup, BitmapDecoder decode) {
    if (name == nullptr || type != platform::IMAGE_BITMAP) return nullptr;
    if (instance == nullptr && (flags & platform::LR_LOADFROMFILE)) {
        std::string path = directory.empty() ? std::string(name) : directory + "/" + name;
        return LoadBitmapFile(path, decode);
    }
    EmbeddedBytes bytes;
    if (decode == nullptr || !lookup || !lookup(name, &bytes)) return nullptr;
    return decode(bytes.data, bytes.size);
}

int GetBitmapObject(platform::BitmapHandle bitmap, int size, platform::BitmapInfo* info) {
    if (bitmap == nullptr) return 0;
    if (info == nullptr) return static_cast<int>(sizeof(platform::BitmapInfo));
    if (size < static_cast<int>(sizeof(platform::BitmapInfo))) return 0;
    info->type = 0;
    info->width = bitmap->width;
    info->height = bitmap->height;
    info->widthBytes = (bitmap->width * bitmap->bitsPerPixel + 15) / 16 * 2;
    info->planes = 1;
    info->bitsPixel = bitmap->bitsPerPixel;
    return static_cast<int>(sizeof(platform::BitmapInfo));
}

bool DeleteBitmap(platform::BitmapHandle bitmap) {
    if (bitmap == nullptr || bitmap->selectedInto != nullptr) return false;
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

namespace {

// One axis of an unscaled copy of count pixels from `from` to `to`: cuts the run to
// [0, fromSize) and then to [0, toSize), moving both starts along with every cut, and gives
// the count left (0 or less when nothing is copied). In 64 bits, so that starts far off
// either picture cannot overflow.
int64_t ClipCopyAxis(int64_t& from, int64_t& to, int64_t count, int64_t fromSize, int64_t toSize) {
    if (from < 0) {
        count += from;
        to -= from;
        from = 0;
    }
    count = std::min(count, fromSize - from);
    if (to < 0) {
        count += to;
        from -= to;
        to = 0;
    }
    return std::min(count, toSize - to);
}

}  // namespace

bool StretchBlt(platform::DeviceContextHandle dest, int x, int y, int width, int height,
                platform::DeviceContextHandle source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, uint32_t rop) {
    Canvas to = CanvasOf(dest);
    Canvas from = CanvasOf(source);
    if (!Valid(to) || !Valid(from) || rop != platform::SRCCOPY) return false;
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return false;
    if (from.surface == to.surface && from.bitmap == to.bitmap) return false;

    if (width == sourceWidth && height == sourceHeight) {
        // The source block is cut to the source picture and then to the destination, the
        // destination corner moving along with every cut; the two axes are cut alike.
        int64_t fromX = sourceX, fromY = sourceY, toX = x, toY = y;
        const int64_t columns = ClipCopyAxis(fromX, toX, width, from.width, to.width);
        const int64_t rows = ClipCopyAxis(fromY, toY, height, from.height, to.height);
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                MovePixel(from, static_cast<int>(fromX) + column, static_cast<int>(fromY) + row, to,
                          static_cast<int>(toX) + column, static_cast<int>(toY) + row);
            }
        }
        return true;
    }

    // A stretched copy takes the nearest source pixel, stepping in 16.16 fixed point from
    // the middle of the first one. Its rectangles must lie inside both pictures.
    if (sourceX < 0 || sourceY < 0 || int64_t{sourceX} + sourceWidth > from.width ||
        int64_t{sourceY} + sourceHeight > from.height || x < 0 || y < 0 ||
        int64_t{x} + width > to.width || int64_t{y} + height > to.height) {
        return false;
    }
    const uint32_t stepX =
        (static_cast<uint32_t>(sourceWidth) << 16) / static_cast<uint32_t>(width);
    const uint32_t stepY =
        (static_cast<uint32_t>(sourceHeight) << 16) / static_cast<uint32_t>(height);
    uint32_t positionY = stepY / 2;
    for (int row = 0; row < height; ++row, positionY += stepY) {
        uint32_t positionX = stepX / 2;
        for (int column = 0; column < width; ++column, positionX += stepX) {
            MovePixel(from, sourceX + static_cast<int>(positionX >> 16),
                      sourceY + static_cast<int>(positionY >> 16), to, x + column, y + row);
        }
    }
    return true;
}

uint32_t GetPixel(platform::DeviceContextHandle dc, int x, int y) {
    Canvas canvas = CanvasOf(dc);
    if (!Inside(canvas, x, y)) return platform::CLR_INVALID;
    return SwapRedBlue(ReadRgb(canvas, x, y));
}

uint32_t SetPixel(platform::DeviceContextHandle dc, int x, int y, uint32_t color) {
    Canvas canvas = CanvasOf(dc);
    if (!Inside(canvas, x, y)) return platform::CLR_INVALID;
    WriteRgb(canvas, x, y, SwapRedBlue(color & 0xFFFFFF));
    return GetPixel(dc, x, y);
}

}  // namespace soft
