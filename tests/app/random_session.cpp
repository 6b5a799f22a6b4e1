#include "tests/app/random_session.h"

#include <cstdio>
#include <memory>

#include "ai/computer_player.h"
#include "ai/random_draw.h"
#include "app/dialog_button.h"
#include "app/dialog_state.h"
#include "app/shell.h"
#include "game/chess_game.h"

namespace apptest {

void SessionApp::Update(const InputSnapshot& input) {
    ++updates;
    ChessApp::Update(input);
    if (dialog >= 0 && dialog < 5) ++dialogPasses[dialog];
    if (dialog == DialogNone && stepResult == ComputerThinking) ++thinkingPasses;
    if (dialog == DialogNone && animating == 1) ++glidingPasses;
}

void SessionApp::Render() {
    ++renders;
    ChessApp::Render();
}

namespace {

using platform::FakeSystem;

constexpr int kSavedGames = 30;
using platform::Point;

// Places worth aiming at: most random points hit nothing, these make things happen.
const Point kTargets[] = {
    // The side menu: Quit, Play, Save, Load.
    {50, 40},
    {50, 80},
    {50, 120},
    {50, 160},
    // Dialog buttons.
    {kQuitYesButton.x + 10, kQuitYesButton.y + 10},
    {kQuitNoButton.x + 10, kQuitNoButton.y + 10},
    {kWhitePlayerButton.x + 10, kWhitePlayerButton.y + 10},
    {kBlackPlayerButton.x + 10, kBlackPlayerButton.y + 10},
    {kPlayButton.x + 10, kPlayButton.y + 10},
    {kPlayCancelButton.x + 10, kPlayCancelButton.y + 10},
    {kLoadButton.x + 10, kLoadButton.y + 10},
    {kListCancelButton.x + 10, kListCancelButton.y + 10},
    {kUpArrowButton.x + 10, kUpArrowButton.y + 10},
    {kDownArrowButton.x + 10, kDownArrowButton.y + 10},
    // List rows and the name field.
    {250, 215},
    {250, 240},
    {250, 290},
    {220, 194},
};

class Script {
  public:
    Script(SessionApp& app, uint32_t seed, long passes)
        : app_(app), random_(seed), passes_(passes) {}

    void Pump(FakeSystem& fake) {
        // Away, the loop only waits for messages; the focus comes back after a few waits.
        if (away_ > 0) {
            if (--away_ == 0) Post(fake, platform::WM_ACTIVATEAPP, 1);
            return;
        }
        if (app_.updates == actedAt_) return;
        actedAt_ = app_.updates;
        if (app_.updates >= passes_) {
            if (!ended_) Post(fake, platform::WM_KEYDOWN, platform::VK_F12);
            ended_ = true;
            return;
        }
        Act(fake);
    }
    long focusChanges = 0;
    long displayLosses = 0;

  private:
    int Roll(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random_); }

    void Post(FakeSystem& fake, uint32_t message, uintptr_t wParam) {
        fake.Queue().Post(fake.Window(), message, wParam, 0);
    }

    void MoveTo(FakeSystem& fake, Point at) {
        fake.cursor = at;
        Post(fake, platform::WM_SETCURSOR, 0);
    }

    Point AnyPoint() { return Point{Roll(640), Roll(480)}; }
    Point Square() {
        return Point{kBoardLeftOfSquares + 50 * Roll(8) + 5 + Roll(40),
                     kBoardTopOfSquares + 50 * Roll(8) + 5 + Roll(40)};
    }

    void Act(FakeSystem& fake) {
        if (releaseNext_) {
            releaseNext_ = false;
            Post(fake, platform::WM_LBUTTONUP, 0);
            return;
        }
        const int roll = Roll(1000);
        if (roll < 300) return;  // a pass without input: the screen settles and stands still
        if (roll < 400) {
            MoveTo(fake, AnyPoint());
        } else if (roll < 470) {
            MoveTo(fake, kTargets[Roll(static_cast<int>(std::size(kTargets)))]);
        } else if (roll < 530) {
            MoveTo(fake, Square());
        } else if (roll < 540) {
            // A small move: often the same picture pixel for the pointer's hot spot.
            MoveTo(fake, Point{fake.cursor.x + Roll(3) - 1, fake.cursor.y + Roll(3) - 1});
        } else if (roll < 620) {
            Post(fake, platform::WM_LBUTTONDOWN, 0);
        } else if (roll < 700) {
            Post(fake, platform::WM_LBUTTONUP, 0);
        } else if (roll < 850) {
            // A click, released in the next pass: on a menu or dialog control (all but Quit's
            // Yes, which would end the session early), or on a square.
            const int target = 1 + Roll(static_cast<int>(std::size(kTargets)) - 1);
            MoveTo(fake, roll < 780 ? (target == 4 ? kTargets[0] : kTargets[target]) : Square());
            Post(fake, platform::WM_LBUTTONDOWN, 0);
            releaseNext_ = true;
        } else if (roll < 910) {
            static const int kKeys[] = {'A',
                                        'B',
                                        'Z',
                                        '1',
                                        '9',
                                        0xBD,
                                        0xBE,
                                        platform::VK_BACK,
                                        platform::VK_SPACE,
                                        platform::VK_RETURN,
                                        platform::VK_ESCAPE,
                                        platform::VK_LEFT};
            Post(fake, platform::WM_KEYDOWN,
                 static_cast<uintptr_t>(kKeys[Roll(static_cast<int>(std::size(kKeys)))]));
        } else if (roll < 925) {
            fake.SetKey(platform::VK_SHIFT, Roll(2) == 1);
        } else if (roll < 945) {
            fake.tickCount += static_cast<uint32_t>(Roll(3000));  // a slow pass
        } else if (roll < 960) {
            // Full screen, losing the focus loses the display's surfaces too.
            if (Roll(2) == 1) fake.LoseSurfaces();
            Post(fake, platform::WM_ACTIVATEAPP, 0);
            away_ = 2 + Roll(4);
            ++focusChanges;
        } else if (roll < 965) {
            fake.LoseSurfaces();
            ++displayLosses;
        }
    }

    static constexpr int kBoardLeftOfSquares = 120;
    static constexpr int kBoardTopOfSquares = 40;

    SessionApp& app_;
    std::mt19937 random_;
    long passes_;
    long actedAt_ = -1;
    int away_ = 0;
    bool releaseNext_ = false;
    bool ended_ = false;
};

}  // namespace

SessionResult RunRandomSession(FakeSystem& fake, uint32_t seed, long passes) {
    auto app = std::make_unique<SessionApp>();
    Script script(*app, seed, passes);
    SessionResult result;
    result.check.report = stderr;
    // Enough saved games that the dialogs' lists scroll.
    ChessGame saved;
    saved.NewGame(Human, Computer);
    for (int i = 0; i < kSavedGames; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "game%02d.chs", i);
        saved.SaveGame(name);
    }
    // The computer's draws too follow the seed, so a session can be run again as it was.
    randomSeeded = 1;
    SeedRandom(seed);
    appActive = 0;  // until the shown window is activated, as at a program's start
    fake.tickStep = 16;
    fake.idleWaitLimit = 1000000;
    fake.recording = false;
    fake.onPump = [&](FakeSystem& system) { script.Pump(system); };
    stillFrameCheck = &result.check;
    result.exitCode = RunShell(*app, nullptr, platform::SW_SHOWNORMAL);
    stillFrameCheck = nullptr;
    fake.onPump = nullptr;
    result.passes = app->updates;
    result.renders = app->renders;
    for (int i = 0; i < 5; ++i) result.dialogPasses[i] = app->dialogPasses[i];
    result.thinkingPasses = app->thinkingPasses;
    result.glidingPasses = app->glidingPasses;
    result.focusChanges = script.focusChanges;
    result.displayLosses = script.displayLosses;
    return result;
}

}  // namespace apptest
