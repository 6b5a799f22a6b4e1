#include "app/still_frames.h"

#include <cstring>

#include "app/chess_app.h"

bool StillFrames::Draws(const RenderInputs& inputs, bool keepsChanging) {
    if (!drawNext_ && !keepsChanging && inputs == lastDrawn_) return false;
    drawNext_ = false;
    lastDrawn_ = inputs;
    return true;
}

namespace {

// The first pixel, row-major, where two locked 16-bit pictures differ; false when they agree.
bool FirstDifference(const platform::SurfaceDesc& shown, const platform::SurfaceDesc& drawn, int* x,
                     int* y) {
    const int width = static_cast<int>(shown.width);
    const int height = static_cast<int>(shown.height);
    for (int row = 0; row < height; ++row) {
        const auto* a = static_cast<const uint16_t*>(shown.surface) + row * shown.pitch / 2;
        const auto* b = static_cast<const uint16_t*>(drawn.surface) + row * drawn.pitch / 2;
        if (std::memcmp(a, b, static_cast<size_t>(width) * 2) == 0) continue;
        for (int column = 0; column < width; ++column) {
            if (a[column] != b[column]) {
                *x = column;
                *y = row;
                return true;
            }
        }
    }
    return false;
}

void Describe(StillFrameCheck& check, const char* what, const RenderInputs& inputs) {
    ++check.differing;
    if (check.report == nullptr) return;
    std::fprintf(check.report,
                 "still-frame check: %s (dialog %d, pointer %d,%d button %d, step %d)\n", what,
                 inputs.dialog, inputs.mouseX, inputs.mouseY, inputs.buttonDown, inputs.stepResult);
}

}  // namespace

void CheckStillFrame(ChessApp& app, const RenderInputs& before, StillFrameCheck& check) {
    if (app.primary == nullptr || app.backBuffer == nullptr) return;
    app.Render();
    ++check.compared;
    const RenderInputs after = app.TakeRenderInputs();
    if (!(after == before)) Describe(check, "drawing a skipped frame changed the game", before);

    platform::SurfaceDesc shown;
    platform::SurfaceDesc drawn;
    if (app.primary->Lock(nullptr, &shown, platform::DDLOCK_WAIT, nullptr) != platform::DD_OK) {
        Describe(check, "the shown frame could not be read", before);
        return;
    }
    if (app.backBuffer->Lock(nullptr, &drawn, platform::DDLOCK_WAIT, nullptr) != platform::DD_OK) {
        app.primary->Unlock(nullptr);
        Describe(check, "the skipped frame could not be read", before);
        return;
    }
    int x = 0;
    int y = 0;
    const bool sameSize = shown.width == drawn.width && shown.height == drawn.height;
    const bool differs = !sameSize || FirstDifference(shown, drawn, &x, &y);
    app.backBuffer->Unlock(nullptr);
    app.primary->Unlock(nullptr);
    if (differs) {
        char what[96];
        std::snprintf(what, sizeof what, "the skipped frame differs from the shown one at %d,%d", x,
                      y);
        Describe(check, what, before);
    }
}
