#pragma once

// The game window's picture, kept in the window's own surface: rows of a flipped frame are
// converted to the surface's format and scaled into it, nearest pixel, where FitPicture puts
// the picture (black bars around it), and a Show sends only the window rows that were drawn
// since the last one. On an X11 desktop that is a shared-memory copy of those rows, with no
// full-window rendering for a frame where one piece moved.

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "display/frame_changes.h"
#include "display/sdl/letterbox.h"

namespace sdl {

class WindowPicture {
  public:
    // null: no window; nothing is drawn.
    void Attach(SDL_Window* window);
    // false when the window has no surface to draw into.
    bool Draw(const platform::FrameView& frame, platform::RowBand rows);
    // Sends what was drawn since the last Show; with nothing drawn, the whole window.
    void Show();
    // Sends the window before any frame came: black, or whatever was drawn into it.
    bool ShowBlank(int frameWidth, int frameHeight);

  private:
    static constexpr int kMaxPending = platform::FrameChanges::kMaxBands + 1;

    // Takes the window's current surface; a new one (first use, resized) is cleared to
    // black, and the whole window goes out with the next Show.
    bool Prepare(int frameWidth, int frameHeight);
    void Pending(SDL_Rect rect);

    SDL_Window* window_ = nullptr;
    SDL_Surface* surface_ = nullptr;
    int surfaceWidth_ = 0;
    int surfaceHeight_ = 0;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    Viewport view_{0, 0, 0, 0};
    std::vector<int> sourceColumn_;   // for each viewport column, the frame column shown there
    std::vector<uint8_t> converted_;  // the rows being drawn, in the surface's format
    bool blank_ = false;              // the surface holds none of the picture yet
    bool whole_ = false;              // the next Show sends the whole window
    SDL_Rect pending_[kMaxPending] = {};
    int pendingCount_ = 0;
};

}  // namespace sdl
