#pragma once

// The frame loop's choice, pass by pass, between drawing a frame and leaving the screen as
// it is. A frame is drawn when its render inputs differ from those of the last frame drawn,
// when something on the screen changes every frame, or when the screen may have lost its
// picture; otherwise the loop waits for input or for the next timed change (see
// render_inputs.h for what a new screen element must do to take part).

#include <cstdint>
#include <cstdio>

#include "app/render_inputs.h"

class ChessApp;

class StillFrames {
  public:
    // The next pass draws whatever its inputs: the window was activated, or the display
    // lost its surfaces or refused a flip.
    void DrawNext() { drawNext_ = true; }

    // Whether the pass with these inputs draws; a pass that draws becomes the last drawn.
    bool Draws(const RenderInputs& inputs, bool keepsChanging);
    // The inputs as the last drawn frame's Render left them. Where it changed them (a held
    // scroll arrow moves the list), drawing the same inputs again would change them again,
    // so the next pass draws even if Update has put them back as they were.
    void Drawn(const RenderInputs& after) {
        if (!(after == lastDrawn_)) drawNext_ = true;
    }

  private:
    RenderInputs lastDrawn_{};
    bool drawNext_ = true;
};

// The check mode: every frame left undrawn is drawn all the same into the back buffer (never
// flipped) and compared with the picture on the screen; the inputs after that Render must
// equal those before it, or the skipped pass would have changed the game.
struct StillFrameCheck {
    uint64_t compared = 0;
    uint64_t differing = 0;  // pictures that differ, or passes that changed the inputs
    // Where each difference is described; null: nowhere.
    FILE* report = stderr;
};

// Draws the frame of a pass that was not drawn, as the check mode does, and counts it.
void CheckStillFrame(ChessApp& app, const RenderInputs& before, StillFrameCheck& check);
