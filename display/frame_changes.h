#pragma once

// Tells which rows of a flipped frame differ from the frame shown before it, so a screen
// can leave an unchanged picture alone and copy only the rows that moved. It keeps its own
// copy of the last frame it was given, so it works on any pixel memory (a soft surface
// swaps its buffers on every flip).

#include <cstdint>
#include <vector>

#include "display/platform.h"

namespace platform {

// A picture in memory: rows of width pixels, pitch bytes apart.
struct FrameView {
    const void* pixels = nullptr;
    int pitch = 0;
    int width = 0;
    int height = 0;
    PixelFormat format;

    const uint8_t* Row(int y) const {
        return static_cast<const uint8_t*>(pixels) + static_cast<intptr_t>(y) * pitch;
    }
};

// Rows first .. first + count - 1.
struct RowBand {
    int first = 0;
    int count = 0;
};

class FrameChanges {
  public:
    // Few enough that one copy call per band costs nothing next to the copying itself.
    static constexpr int kMaxBands = 8;
    // Unchanged rows between two changed ones up to this many are copied along rather than
    // starting another band.
    static constexpr int kJoinGap = 8;

    struct Bands {
        int count = 0;
        RowBand band[kMaxBands];
    };

    // Compares frame with the kept one and keeps frame in its place. The answer holds the
    // bands of rows to copy: none when nothing changed, the whole frame when there is no
    // comparable frame kept (the first one, another size or format, or after Forget), and
    // one band from the first to the last changed row when the changes cover most of it.
    Bands Take(const FrameView& frame);
    // The kept frame no longer stands for what the screen holds: the next Take answers the
    // whole frame.
    void Forget() { valid_ = false; }
    // The last frame taken (also after Forget), or one with null pixels before the first.
    FrameView Kept() const;

  private:
    std::vector<uint8_t> kept_;
    int rowBytes_ = 0;
    int width_ = 0;
    int height_ = 0;
    PixelFormat format_;
    bool valid_ = false;
};

}  // namespace platform
