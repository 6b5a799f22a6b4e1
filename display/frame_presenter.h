#pragma once

// Puts flipped frames on a screen at the display's pace, doing only the work a frame needs:
// a frame equal to the one already shown is not shown again, a changed one has only its
// changed rows copied. Every frame, shown or not, then waits out the rest of its display
// period, so the game's loop runs at the same rate whatever reaches the screen.

#include <cstdint>

#include "display/frame_changes.h"

namespace platform {

// Where the pictures go: a desktop window, a browser canvas, a test's record.
class FrameScreen {
  public:
    // Copies rows of frame into the screen's own picture. false: it could not, and what it
    // holds is unknown.
    virtual bool UploadRows(const FrameView& frame, RowBand rows) = 0;
    // Shows the screen's own picture.
    virtual void Show() = 0;
    // A steady millisecond clock, and a wait on it.
    virtual uint32_t Milliseconds() = 0;
    virtual void Wait(uint32_t milliseconds) = 0;

  protected:
    ~FrameScreen() = default;
};

class FramePresenter {
  public:
    explicit FramePresenter(FrameScreen& screen) : screen_(screen) {}
    FramePresenter(const FramePresenter&) = delete;
    FramePresenter& operator=(const FramePresenter&) = delete;

    // 0: frames do not wait.
    void SetFramePeriod(uint32_t milliseconds) { framePeriodMs_ = milliseconds; }

    // One flipped frame.
    void Present(const FrameView& frame);
    // What the window showed may be gone (exposed, resized, switched between full screen
    // and a window, given back the focus): the next frame is shown even if unchanged.
    void ShowNext() { showNext_ = true; }
    // The screen's own picture is gone as well (its renderer was reset): the next frame is
    // copied whole.
    void Forget() {
        changes_.Forget();
        showNext_ = true;
    }
    // Copies the last frame whole to the screen again and shows it, without waiting for the
    // game's next one (which does not come while the game is inactive). false when there
    // is no frame yet or the screen refused it.
    bool Repaint();

    uint32_t ShownFrames() const { return shownFrames_; }
    uint32_t SkippedFrames() const { return skippedFrames_; }

  private:
    void Pace();

    FrameScreen& screen_;
    FrameChanges changes_;
    bool showNext_ = false;
    uint32_t framePeriodMs_ = 0;
    uint32_t lastFrameMs_ = 0;
    uint32_t shownFrames_ = 0;
    uint32_t skippedFrames_ = 0;
};

}  // namespace platform
