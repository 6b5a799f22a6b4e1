#pragma once

#include <cstdint>

#include "display/platform.h"

// One bitmap sheet on an off-screen surface, drawn by source rectangle, cut to the
// 640x480 screen, with or without the sheet's top-left colour as transparent colour.
// Also draws text from a 16x16-cell glyph sheet.
class Sprite {
  public:
    char name[1024];
    int32_t width;
    int32_t height;
    int32_t cellWidth;
    int32_t cellHeight;
    platform::Surface* surface;
    platform::Surface* defaultTarget;
    platform::DirectDraw* directDraw;
    int32_t colorKeyed;
    int32_t surfaceCreated;
    // The size of the program's own sheets for this sprite, set by the owner; 0 takes any.
    // A loose file of another size would be cut or leave the surface part empty, so it is
    // not used: the program's own sheet is, and standard error says why.
    int32_t sheetWidth;
    int32_t sheetHeight;

    Sprite();
    virtual ~Sprite();

    void Load(const char* name);
    void SetColorKey(int enable);
    void Draw(int32_t x, int32_t y, int32_t srcX, int32_t srcY, int32_t w, int32_t h,
              platform::Surface* target = nullptr);
    void DrawText(const char* text, int32_t x, int32_t y, int32_t glyphOffset = 0,
                  platform::Surface* target = nullptr);
    void Release();

    platform::BitmapHandle OpenBitmap();
    bool FitsTheSheet(platform::BitmapHandle looseFile);
    void CopyBitmap();
    uint32_t PixelValue(uint32_t colour);
};
