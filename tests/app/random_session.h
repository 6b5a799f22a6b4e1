#pragma once

// Randomized sessions of the whole program on the headless test double: the real frame
// loop, driven by pointer moves and clicks aimed at the menu, the dialogs' buttons and
// lists and the board, typed keys, focus lost and given back, display surfaces lost, and
// pauses. With the loop's check mode on, every frame it leaves undrawn is drawn all the
// same and compared with the one on the screen.

#include <cstdint>
#include <random>

#include "app/chess_app.h"
#include "app/still_frames.h"
#include "display/testing/fake_system.h"

namespace apptest {

// Counts Update passes, so the script acts once a pass.
class SessionApp final : public ChessApp {
  public:
    void Update(const InputSnapshot& input) override;
    void Render() override;

    long updates = 0;
    long renders = 0;
    long dialogPasses[5] = {};  // passes spent in each DialogState
    long thinkingPasses = 0;
    long glidingPasses = 0;
};

struct SessionResult {
    int exitCode = -1;
    long passes = 0;
    long renders = 0;
    long dialogPasses[5] = {};
    long thinkingPasses = 0;
    long glidingPasses = 0;
    long focusChanges = 0;
    long displayLosses = 0;
    StillFrameCheck check;
};

// Runs the program for about `passes` passes of its loop with the check mode on, then ends
// it with F12. `fake` must be installed, with the sheets registered and a current directory
// the session may save games in.
SessionResult RunRandomSession(platform::FakeSystem& fake, uint32_t seed, long passes);

}  // namespace apptest
