#include "display/frame_presenter.h"

namespace platform {

void FramePresenter::Present(const FrameView& frame) {
    FrameChanges::Bands changed = changes_.Take(frame);
    bool uploaded = true;
    for (int i = 0; i < changed.count && uploaded; ++i) {
        uploaded = screen_.UploadRows(frame, changed.band[i]);
    }
    if (!uploaded) changes_.Forget();
    if (changed.count > 0 || showNext_) {
        showNext_ = false;
        screen_.Show();
        ++shownFrames_;
    } else {
        ++skippedFrames_;
    }
    Pace();
}

bool FramePresenter::Repaint() {
    FrameView kept = changes_.Kept();
    if (kept.pixels == nullptr) return false;
    if (!screen_.UploadRows(kept, RowBand{0, kept.height})) {
        changes_.Forget();
        return false;
    }
    screen_.Show();
    ++shownFrames_;
    return true;
}

// Where the renderer's vertical sync is missing or does not wait (and always for a frame
// that is not shown), this keeps the loop from spinning a processor flat out.
void FramePresenter::Pace() {
    uint32_t now = screen_.Milliseconds();
    uint32_t spent = now - lastFrameMs_;
    if (lastFrameMs_ != 0 && spent < framePeriodMs_) {
        screen_.Wait(framePeriodMs_ - spent);
        now = screen_.Milliseconds();
    }
    lastFrameMs_ = now;
}

}  // namespace platform
