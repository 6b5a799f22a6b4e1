#include "display/sprite.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace platform;

namespace {

constexpr int64_t kScreenWidth = 640;
constexpr int64_t kScreenHeight = 480;
constexpr int kMaxTextLength = 10000;
constexpr int kGlyphColumns = 16;
constexpr int kGlyphRows = 16;

// A sheet is loaded again whenever a dialog opens or a surface was lost; each refused file
// is told once per run.
bool FirstTimeRefused(const char* fileName) {
    static char told[16][64];
    static int toldCount = 0;
    for (int i = 0; i < toldCount; ++i) {
        if (std::strncmp(told[i], fileName, sizeof told[i] - 1) == 0) return false;
    }
    if (toldCount < 16) {
        // Names are compared by their first 63 characters, so that much is kept.
        const size_t length = std::min(std::strlen(fileName), sizeof told[toldCount] - 1);
        std::memcpy(told[toldCount], fileName, length);
        told[toldCount][length] = '\0';
        ++toldCount;
    }
    return true;
}

}  // namespace

Sprite::Sprite()
    : name{},
      width(0),
      height(0),
      cellWidth(0),
      cellHeight(0),
      surface(nullptr),
      defaultTarget(nullptr),
      directDraw(nullptr),
      colorKeyed(0),
      surfaceCreated(0),
      sheetWidth(0),
      sheetHeight(0) {}

Sprite::~Sprite() {
    Release();
}

void Sprite::Load(const char* bitmapName) {
    // A reload after loss passes our own name back in; copying it onto itself is harmless.
    if (bitmapName == nullptr) bitmapName = "";
    if (bitmapName != name) {
        size_t length = std::strlen(bitmapName);
        if (length >= sizeof name) length = sizeof name - 1;
        std::memcpy(name, bitmapName, length);
        name[length] = '\0';
    }

    System& sys = Sys();
    BitmapHandle bitmap = OpenBitmap();
    if (bitmap == nullptr) return;
    BitmapInfo info;
    const bool measured =
        sys.GetObjectA(bitmap, sizeof info, &info) != 0 && info.width > 0 && info.height > 0;
    sys.DeleteObject(bitmap);
    if (!measured) return;
    width = info.width;
    height = info.height;
    cellWidth = width / kGlyphColumns;
    cellHeight = height / kGlyphRows;

    if (surfaceCreated == 0) {
        if (directDraw == nullptr) return;
        SurfaceDesc desc;
        desc.flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
        desc.height = static_cast<uint32_t>(height);
        desc.width = static_cast<uint32_t>(width);
        desc.caps.caps = DDSCAPS_OFFSCREENPLAIN;
        Surface* created = nullptr;
        if (directDraw->CreateSurface(&desc, &created, nullptr) != DD_OK) {
            if (created != nullptr) created->Release();
            surface = nullptr;
            return;
        }
        surface = created;
        surfaceCreated = 1;
    }
    CopyBitmap();
}

BitmapHandle Sprite::OpenBitmap() {
    System& sys = Sys();
    BitmapHandle bitmap =
        sys.LoadImageA(nullptr, name, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (bitmap != nullptr && !FitsTheSheet(bitmap)) {
        sys.DeleteObject(bitmap);
        bitmap = nullptr;
    }
    if (bitmap == nullptr) {
        bitmap = sys.LoadImageA(sys.GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0,
                                LR_CREATEDIBSECTION);
    }
    return bitmap;
}

bool Sprite::FitsTheSheet(BitmapHandle looseFile) {
    if (sheetWidth <= 0 || sheetHeight <= 0) return true;
    BitmapInfo info;
    if (Sys().GetObjectA(looseFile, sizeof info, &info) == 0) return false;
    if (info.width == sheetWidth && info.height == sheetHeight) return true;
    if (FirstTimeRefused(name)) {
        std::fprintf(stderr,
                     "Kestrion: the picture file %s is %dx%d, not %dx%d like the game's own "
                     "sheet, so the game's own is used.\n",
                     name, static_cast<int>(info.width), static_cast<int>(info.height),
                     static_cast<int>(sheetWidth), static_cast<int>(sheetHeight));
    }
    return false;
}

void Sprite::CopyBitmap() {
    if (surface == nullptr) return;
    System& sys = Sys();
    surface->Restore();
    BitmapHandle bitmap = OpenBitmap();
    if (bitmap == nullptr) return;
    DeviceContextHandle memoryDc = sys.CreateCompatibleDC(nullptr);
    if (memoryDc != nullptr) {
        sys.SelectObject(memoryDc, bitmap);
        DeviceContextHandle surfaceDc = nullptr;
        if (surface->GetDC(&surfaceDc) == DD_OK) {
            sys.StretchBlt(surfaceDc, 0, 0, width, height, memoryDc, 0, 0, width, height, SRCCOPY);
            surface->ReleaseDC(surfaceDc);
        }
        sys.DeleteDC(memoryDc);
    }
    sys.DeleteObject(bitmap);
}

void Sprite::SetColorKey(int enable) {
    if (surface == nullptr) return;
    if (enable == 0) {
        colorKeyed = 0;
        return;
    }
    const uint32_t key = PixelValue(CLR_INVALID);
    ColorKey colorKey;
    colorKey.low = key;
    colorKey.high = key;
    surface->SetColorKey(DDCKEY_SRCBLT, &colorKey);
    colorKeyed = 1;
}

uint32_t Sprite::PixelValue(uint32_t colour) {
    if (surface == nullptr) return CLR_INVALID;
    System& sys = Sys();
    const bool writeColour = colour != CLR_INVALID;
    uint32_t savedPixel = 0;
    DeviceContextHandle dc = nullptr;
    if (writeColour && surface->GetDC(&dc) == DD_OK) {
        savedPixel = sys.GetPixel(dc, 0, 0);
        sys.SetPixel(dc, 0, 0, colour);
        surface->ReleaseDC(dc);
    }

    SurfaceDesc desc;
    Result result;
    do {
        result = surface->Lock(nullptr, &desc, 0, nullptr);
    } while (result == DDERR_WASSTILLDRAWING);
    uint32_t value = 0xFFFFFFFFu;
    if (result == DD_OK) {
        const uint32_t bits = desc.pixelFormat.rgbBitCount;
        // Read only the first pixel's bytes: a one-pixel 16-bit surface has no four bytes.
        const size_t bytes = bits == 0 || bits >= 32 ? 4 : (bits + 7) / 8;
        uint8_t raw[4] = {};
        if (desc.surface != nullptr) std::memcpy(raw, desc.surface, bytes);
        value = static_cast<uint32_t>(raw[0]) | static_cast<uint32_t>(raw[1]) << 8 |
                static_cast<uint32_t>(raw[2]) << 16 | static_cast<uint32_t>(raw[3]) << 24;
        if (bits < 32) value &= (1u << bits) - 1u;
        surface->Unlock(nullptr);
    }

    if (writeColour && surface->GetDC(&dc) == DD_OK) {
        sys.SetPixel(dc, 0, 0, savedPixel);
        surface->ReleaseDC(dc);
    }
    return value;
}

void Sprite::Draw(int32_t x, int32_t y, int32_t srcX, int32_t srcY, int32_t w, int32_t h,
                  Surface* target) {
    // 64-bit arithmetic keeps the cuts exact even for values near the 32-bit limits.
    int64_t left = srcX, top = srcY;
    int64_t right = int64_t{srcX} + w, bottom = int64_t{srcY} + h;
    int64_t destX = x, destY = y;
    if (destX + w <= 0 || destY + h <= 0 || destX >= kScreenWidth || destY >= kScreenHeight) {
        return;
    }
    if (destX < 0) {
        left = srcX - destX;
        destX = 0;
    }
    if (destY < 0) {
        top = srcY - destY;
        destY = 0;
    }
    if (destX + w > kScreenWidth) right -= destX + w - kScreenWidth;
    if (destY + h > kScreenHeight) bottom -= destY + h - kScreenHeight;

    Surface* destination = target != nullptr ? target : defaultTarget;
    if (destination == nullptr || surface == nullptr) return;
    if (surface->IsLost() == DDERR_SURFACELOST) {
        Load(name);
        if (surface == nullptr) return;
    }
    const Rect source{static_cast<int32_t>(left), static_cast<int32_t>(top),
                      static_cast<int32_t>(right), static_cast<int32_t>(bottom)};
    // Busy hardware, a lost destination or a rectangle off the sheet: skipped this frame.
    destination->BltFast(static_cast<int32_t>(destX), static_cast<int32_t>(destY), surface, &source,
                         colorKeyed == 1 ? DDBLTFAST_SRCCOLORKEY : DDBLTFAST_NOCOLORKEY);
}

void Sprite::DrawText(const char* text, int32_t x, int32_t y, int32_t glyphOffset,
                      Surface* target) {
    if (text == nullptr) return;
    int32_t penX = x, penY = y;
    for (int i = 0; i < kMaxTextLength && text[i] != '\0'; ++i) {
        const int32_t code = static_cast<signed char>(text[i]);
        if (code == '\n') {
            penX = x;
            penY += cellHeight;
            continue;
        }
        // Truncating division: codes 128-255 are negative and name cells off the sheet, which
        // the blit refuses; the pen still moves on.
        const int32_t glyph = code + glyphOffset;
        Draw(penX, penY, (glyph % kGlyphColumns) * cellWidth, (glyph / kGlyphColumns) * cellHeight,
             cellWidth, cellHeight, target);
        penX += cellWidth;
    }
}

void Sprite::Release() {
    if (surface == nullptr) return;
    surface->Release();
    surface = nullptr;
    // A later load must make a new surface, and its key has to be set again.
    surfaceCreated = 0;
    colorKeyed = 0;
}
