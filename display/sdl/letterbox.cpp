#include "display/sdl/letterbox.h"

#include <algorithm>
#include <cstdint>

namespace sdl {

Viewport FitPicture(int outputWidth, int outputHeight, int pictureWidth, int pictureHeight) {
    if (outputWidth <= 0 || outputHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        return Viewport{0, 0, std::max(outputWidth, 0), std::max(outputHeight, 0)};
    }
    int64_t width = outputWidth;
    int64_t height = outputHeight;
    // Compare the shapes by cross-multiplying, so no rounding decides which side limits.
    if (int64_t{outputWidth} * pictureHeight <= int64_t{outputHeight} * pictureWidth) {
        height = int64_t{outputWidth} * pictureHeight / pictureWidth;
    } else {
        width = int64_t{outputHeight} * pictureWidth / pictureHeight;
    }
    width = std::max<int64_t>(width, 1);
    height = std::max<int64_t>(height, 1);
    return Viewport{static_cast<int>((outputWidth - width) / 2),
                    static_cast<int>((outputHeight - height) / 2), static_cast<int>(width),
                    static_cast<int>(height)};
}

bool ShrinkWindowToFit(const Viewport& area, int pictureWidth, int pictureHeight,
                       Viewport* window) {
    if (area.width <= 0 || area.height <= 0) return false;
    if (area.width >= pictureWidth && area.height >= pictureHeight) return false;
    const Viewport fitted = FitPicture(area.width, area.height, pictureWidth, pictureHeight);
    *window = Viewport{area.x + fitted.x, area.y + fitted.y, fitted.width, fitted.height};
    return true;
}

namespace {

int ToPicture(int position, int start, int size, int pictureSize) {
    // A window with no room for the picture (a side of 0) shows none of it; its first pixel
    // stands in rather than a division by the empty side.
    if (size <= 0) return 0;
    int64_t offset = int64_t{position} - start;
    int64_t pixel = offset < 0 ? -1 : offset * pictureSize / size;
    return static_cast<int>(std::clamp<int64_t>(pixel, 0, pictureSize - 1));
}

// The middle of the window positions that ToPicture maps onto pixel.
int ToWindow(int pixel, int start, int size, int pictureSize) {
    if (size <= 0) return start;
    int64_t p = std::clamp(pixel, 0, pictureSize - 1);
    int64_t first = (p * size + pictureSize - 1) / pictureSize;
    int64_t last = ((p + 1) * size + pictureSize - 1) / pictureSize - 1;
    // A window smaller than the picture skips pixels; they go to the nearest position.
    first = std::min<int64_t>(first, size - 1);
    last = std::clamp<int64_t>(last, first, size - 1);
    return start + static_cast<int>((first + last) / 2);
}

}  // namespace

PicturePoint WindowToPicture(const Viewport& viewport, int windowX, int windowY, int pictureWidth,
                             int pictureHeight) {
    return PicturePoint{ToPicture(windowX, viewport.x, viewport.width, pictureWidth),
                        ToPicture(windowY, viewport.y, viewport.height, pictureHeight)};
}

PicturePoint PictureToWindow(const Viewport& viewport, int pictureX, int pictureY, int pictureWidth,
                             int pictureHeight) {
    return PicturePoint{ToWindow(pictureX, viewport.x, viewport.width, pictureWidth),
                        ToWindow(pictureY, viewport.y, viewport.height, pictureHeight)};
}

}  // namespace sdl
