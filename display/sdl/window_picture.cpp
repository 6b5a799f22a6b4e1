#include "display/sdl/window_picture.h"

#include <cstring>

namespace sdl {

namespace {

// The pixel of the frame that nearest-pixel scaling shows at a position of the picture's
// place on the window: the one under the position's centre (the right or lower one when the
// centre falls exactly between two).
int SourceOf(int position, int frameSize, int viewSize) {
    return static_cast<int>((int64_t{2} * position + 1) * frameSize / (int64_t{2} * viewSize));
}

template <class Pixel>
void ScaleRow(const uint8_t* source, uint8_t* dest, const std::vector<int>& sourceColumn) {
    const auto* from = reinterpret_cast<const Pixel*>(source);
    auto* to = reinterpret_cast<Pixel*>(dest);
    for (size_t x = 0; x < sourceColumn.size(); ++x) to[x] = from[sourceColumn[x]];
}

void ScaleRow(const uint8_t* source, uint8_t* dest, const std::vector<int>& sourceColumn,
              int bytesPerPixel) {
    switch (bytesPerPixel) {
        case 4:
            ScaleRow<uint32_t>(source, dest, sourceColumn);
            break;
        case 2:
            ScaleRow<uint16_t>(source, dest, sourceColumn);
            break;
        default:
            for (size_t x = 0; x < sourceColumn.size(); ++x) {
                std::memcpy(dest + x * bytesPerPixel, source + sourceColumn[x] * bytesPerPixel,
                            bytesPerPixel);
            }
            break;
    }
}

}  // namespace

void WindowPicture::Attach(SDL_Window* window) {
    window_ = window;
    surface_ = nullptr;
    pendingCount_ = 0;
    whole_ = false;
}

bool WindowPicture::Prepare(int frameWidth, int frameHeight) {
    if (window_ == nullptr) return false;
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return false;
    if (surface == surface_ && surface->w == surfaceWidth_ && surface->h == surfaceHeight_ &&
        frameWidth == frameWidth_ && frameHeight == frameHeight_) {
        return true;
    }
    surface_ = surface;
    surfaceWidth_ = surface->w;
    surfaceHeight_ = surface->h;
    frameWidth_ = frameWidth;
    frameHeight_ = frameHeight;
    view_ = FitPicture(surfaceWidth_, surfaceHeight_, frameWidth, frameHeight);
    sourceColumn_.resize(static_cast<size_t>(view_.width));
    for (int x = 0; x < view_.width; ++x) {
        sourceColumn_[static_cast<size_t>(x)] = SourceOf(x, frameWidth, view_.width);
    }
    SDL_FillRect(surface_, nullptr, SDL_MapRGB(surface_->format, 0, 0, 0));
    blank_ = true;
    whole_ = true;
    return true;
}

bool WindowPicture::Draw(const platform::FrameView& frame, platform::RowBand rows) {
    if (!Prepare(frame.width, frame.height)) return false;
    if (blank_) rows = platform::RowBand{0, frame.height};
    blank_ = false;
    if (rows.count <= 0 || view_.width <= 0 || view_.height <= 0) return true;

    int bytesPerPixel = surface_->format->BytesPerPixel;
    size_t rowBytes = static_cast<size_t>(frame.width) * static_cast<size_t>(bytesPerPixel);
    converted_.resize(rowBytes * static_cast<size_t>(rows.count));
    uint32_t sourceFormat =
        frame.format.gBitMask == 0x3E0 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565;
    if (SDL_ConvertPixels(frame.width, rows.count, sourceFormat, frame.Row(rows.first), frame.pitch,
                          surface_->format->format, converted_.data(),
                          static_cast<int>(rowBytes)) != 0) {
        return false;
    }
    if (SDL_MUSTLOCK(surface_) && SDL_LockSurface(surface_) != 0) return false;

    auto* base = static_cast<uint8_t*>(surface_->pixels);
    size_t viewBytes = static_cast<size_t>(view_.width) * static_cast<size_t>(bytesPerPixel);
    int firstDrawn = -1, lastDrawn = -1, lastSource = -1;
    uint8_t* lastRow = nullptr;
    for (int y = 0; y < view_.height; ++y) {
        int source = SourceOf(y, frame.height, view_.height);
        if (source < rows.first) continue;
        if (source >= rows.first + rows.count) break;
        uint8_t* dest = base + static_cast<ptrdiff_t>(view_.y + y) * surface_->pitch +
                        static_cast<ptrdiff_t>(view_.x) * bytesPerPixel;
        if (source == lastSource) {
            std::memcpy(dest, lastRow, viewBytes);
        } else {
            ScaleRow(&converted_[static_cast<size_t>(source - rows.first) * rowBytes], dest,
                     sourceColumn_, bytesPerPixel);
        }
        lastSource = source;
        lastRow = dest;
        if (firstDrawn < 0) firstDrawn = y;
        lastDrawn = y;
    }
    if (SDL_MUSTLOCK(surface_)) SDL_UnlockSurface(surface_);
    if (firstDrawn >= 0) {
        Pending(SDL_Rect{view_.x, view_.y + firstDrawn, view_.width, lastDrawn - firstDrawn + 1});
    }
    return true;
}

void WindowPicture::Pending(SDL_Rect rect) {
    if (pendingCount_ == kMaxPending) {
        whole_ = true;
        return;
    }
    pending_[pendingCount_++] = rect;
}

// With nothing drawn since the last Show, the whole window is sent again: what it showed may
// be gone.
void WindowPicture::Show() {
    if (window_ == nullptr || surface_ == nullptr) return;
    if (whole_ || pendingCount_ == 0) {
        SDL_UpdateWindowSurface(window_);
    } else {
        SDL_UpdateWindowSurfaceRects(window_, pending_, pendingCount_);
    }
    whole_ = false;
    pendingCount_ = 0;
}

bool WindowPicture::ShowBlank(int frameWidth, int frameHeight) {
    if (!Prepare(frameWidth, frameHeight)) return false;
    whole_ = true;
    Show();
    return true;
}

}  // namespace sdl
