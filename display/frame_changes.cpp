#include "display/frame_changes.h"

#include <cstring>

namespace platform {

namespace {

bool SameFormat(const PixelFormat& a, const PixelFormat& b) {
    return a.rgbBitCount == b.rgbBitCount && a.rBitMask == b.rBitMask && a.gBitMask == b.gBitMask &&
           a.bBitMask == b.bBitMask;
}

}  // namespace

FrameView FrameChanges::Kept() const {
    FrameView view;
    if (kept_.empty()) return view;
    view.pixels = kept_.data();
    view.pitch = rowBytes_;
    view.width = width_;
    view.height = height_;
    view.format = format_;
    return view;
}

FrameChanges::Bands FrameChanges::Take(const FrameView& frame) {
    Bands answer;
    if (frame.pixels == nullptr || frame.width <= 0 || frame.height <= 0) return answer;
    int rowBytes = frame.width * static_cast<int>((frame.format.rgbBitCount + 7) / 8);
    bool comparable = valid_ && frame.width == width_ && frame.height == height_ &&
                      SameFormat(frame.format, format_);
    if (!comparable) {
        kept_.resize(static_cast<size_t>(rowBytes) * static_cast<size_t>(frame.height));
        for (int y = 0; y < frame.height; ++y) {
            std::memcpy(&kept_[static_cast<size_t>(y) * rowBytes], frame.Row(y), rowBytes);
        }
        rowBytes_ = rowBytes;
        width_ = frame.width;
        height_ = frame.height;
        format_ = frame.format;
        valid_ = true;
        answer.count = 1;
        answer.band[0] = RowBand{0, frame.height};
        return answer;
    }

    int changedRows = 0;
    for (int y = 0; y < frame.height; ++y) {
        uint8_t* kept = &kept_[static_cast<size_t>(y) * rowBytes];
        if (std::memcmp(kept, frame.Row(y), rowBytes) == 0) continue;
        std::memcpy(kept, frame.Row(y), rowBytes);
        ++changedRows;
        RowBand* last = answer.count > 0 ? &answer.band[answer.count - 1] : nullptr;
        if (last != nullptr &&
            (y - (last->first + last->count) <= kJoinGap || answer.count == kMaxBands)) {
            last->count = y - last->first + 1;
        } else {
            answer.band[answer.count++] = RowBand{y, 1};
        }
    }
    // Past half the picture the gaps are not worth a call each: one copy from the first
    // changed row to the last.
    if (answer.count > 1 && changedRows * 2 > frame.height) {
        RowBand& last = answer.band[answer.count - 1];
        answer.band[0].count = last.first + last.count - answer.band[0].first;
        answer.count = 1;
    }
    return answer;
}

}  // namespace platform
