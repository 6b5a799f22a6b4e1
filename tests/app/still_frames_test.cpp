// The frame loop leaves a still screen alone: it draws a pass only when what Render reads
// has changed, something keeps changing, or the screen may have lost its picture, and
// otherwise waits for input or for the next blink. Its check mode draws every skipped
// frame all the same and compares it with the one on the screen.

#include "app/still_frames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "app/dialog_button.h"
#include "app/dialog_state.h"
#include "app/shell.h"
#include "display/testing/fake_system.h"
#include "display/testing/temp_directory.h"
#include "game/chess_game.h"
#include "tests/app/random_session.h"
#include "tests/app/test_sheets.h"

namespace apptest {
namespace {

using platform::FakeSystem;

// Counts passes and frames; a faulty one also draws a dot that no render input explains.
class CountingApp final : public ChessApp {
  public:
    long updates = 0;
    long renders = 0;
    bool drawsUncountedDot = false;

    void Update(const InputSnapshot& input) override {
        ++updates;
        ChessApp::Update(input);
    }
    void Render() override {
        ++renders;
        ChessApp::Render();
        if (!drawsUncountedDot) return;
        platform::Rect dot{0, 0, 1, 1};
        platform::BltFx fill;
        fill.fillColor = static_cast<uint32_t>(renders & 0xFFFF);
        backBuffer->Blt(&dot, nullptr, nullptr, platform::DDBLT_COLORFILL, &fill);
    }
};

class StillFramesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake.Install();
        folder.EnterAsCurrent();
        RegisterTestSheets(fake);
        appActive = 0;
        fake.idleWaitLimit = 200;
    }
    void TearDown() override { stillFrameCheck = nullptr; }

    // Runs the program; `script` is called at every pump, after the game has been made
    // human against human at the first pass (nothing then moves by itself).
    int Run(std::function<void(FakeSystem&)> script, bool humans = true) {
        fake.onPump = [this, script, humans](FakeSystem& system) {
            if (humans && app->updates == 1 && app->game.whiteKind != Human) {
                app->game.NewGame(Human, Human);
            }
            script(system);
        };
        return RunShell(*app, nullptr, platform::SW_SHOWNORMAL);
    }
    void Post(uint32_t message, uintptr_t wParam = 0) {
        fake.Queue().Post(fake.Window(), message, wParam, 0);
    }
    void MoveTo(int x, int y) {
        fake.cursor = {x, y};
        Post(platform::WM_SETCURSOR);
    }
    size_t Waits(const std::string& call) const { return fake.Count(call); }
    // A script that presses F12 once the loop has waited `waits` times without a limit.
    std::function<void(FakeSystem&)> QuitAfterStillWaits(size_t waits) {
        auto sent = std::make_shared<bool>(false);
        return [this, waits, sent](FakeSystem&) {
            if (*sent || Waits("WaitMessageTimeout(INFINITE)") < waits) return;
            *sent = true;
            Post(platform::WM_KEYDOWN, platform::VK_F12);
        };
    }
    size_t TimedWaits() const { return fake.Count("WaitMessageTimeout(", true); }

    FakeSystem fake;
    platform::TempDirectory folder;
    std::unique_ptr<CountingApp> app = std::make_unique<CountingApp>();
};

TEST_F(StillFramesTest, AStillBoardIsDrawnOnceAndThenOnlyInputWakesTheLoop) {
    long rendersWhenStill = -1;
    long rendersAfterMove = -1;
    long rendersAfterKey = -1;
    int step = 0;
    Run([&](FakeSystem&) {
        const size_t waits = Waits("WaitMessageTimeout(INFINITE)");
        if (step == 0 && waits == 20) {
            rendersWhenStill = app->renders;
            step = 1;
            MoveTo(400, 300);  // onto a square: pointer, hover tint and tooltip move
        } else if (step == 1 && waits == 25) {
            rendersAfterMove = app->renders;
            step = 2;
            Post(platform::WM_KEYDOWN, 'A');  // a key the board screen does nothing with
        } else if (step == 2 && waits == 30) {
            rendersAfterKey = app->renders;
            step = 3;
            Post(platform::WM_KEYDOWN, platform::VK_F12);
        }
    });
    // The first passes draw the computer's game and its replacement; then nothing.
    EXPECT_GE(rendersWhenStill, 1);
    EXPECT_LE(rendersWhenStill, 4);
    EXPECT_EQ(rendersAfterMove, rendersWhenStill + 1);
    EXPECT_EQ(rendersAfterKey, rendersAfterMove);
    EXPECT_EQ(static_cast<long>(fake.Count("Flip(primary)")), app->renders);
    EXPECT_EQ(TimedWaits(), Waits("WaitMessageTimeout(INFINITE)"));
    EXPECT_GE(app->updates, 30);
}

TEST_F(StillFramesTest, PressAndReleaseEachDrawAsTheyChangeTheButtonsAndTheSelection) {
    long before = -1;
    long afterRelease = -1;
    int step = 0;
    Run([&](FakeSystem&) {
        const size_t waits = Waits("WaitMessageTimeout(INFINITE)");
        if (step == 0 && waits == 5) {
            MoveTo(120 + 50 * 4 + 25, 40 + 50 * 1 + 25);  // e2
            step = 1;
        } else if (step == 1 && waits == 8) {
            before = app->renders;
            Post(platform::WM_LBUTTONDOWN);
            step = 2;
        } else if (step == 2 && waits == 11) {
            Post(platform::WM_LBUTTONUP);
            step = 3;
        } else if (step == 3 && waits == 14) {
            afterRelease = app->renders;
            Post(platform::WM_KEYDOWN, platform::VK_F12);
            step = 4;
        }
    });
    // The press selects the pawn; the pass after it is drawn too, for the press has become
    // a held button; so with the release.
    EXPECT_EQ(app->selectedFile, 4);
    EXPECT_EQ(afterRelease, before + 4);
}

TEST_F(StillFramesTest, TheSaveDialogWakesTheLoopForEachBlinkOfItsCursorAndNoMore) {
    fake.tickStep = 0;  // time passes only in the waits
    int step = 0;
    long rendersAtFirstBlinkWait = -1;
    long rendersInSave = -1;
    size_t timedWaitsInSave = 0;
    uint32_t blinkFrom = 0;
    Run([&](FakeSystem& system) {
        if (step == 0 && Waits("WaitMessageTimeout(INFINITE)") == 3) {
            MoveTo(50, 120);
            Post(platform::WM_LBUTTONDOWN);
            step = 1;
        } else if (step == 1 && app->updates > 0 && app->buttonDown == 1) {
            Post(platform::WM_LBUTTONUP);
            step = 2;
        } else if (step == 2 && app->dialog == DialogSave) {
            MoveTo(600, 465);
            step = 3;
        } else if (step == 3 && Waits("WaitMessageTimeout(INFINITE)") > 3) {
            ADD_FAILURE() << "the Save dialog waited without a time limit";
            Post(platform::WM_KEYDOWN, platform::VK_F12);
            step = 5;
        } else if (step == 3 && TimedWaits() > 3 && rendersAtFirstBlinkWait < 0) {
            rendersAtFirstBlinkWait = app->renders;
            timedWaitsInSave = TimedWaits();
            blinkFrom = system.tickCount;
        } else if (step == 3 && system.tickCount >= blinkFrom + 2000 &&
                   rendersAtFirstBlinkWait >= 0) {
            timedWaitsInSave = TimedWaits() - timedWaitsInSave;
            rendersInSave = app->renders - rendersAtFirstBlinkWait;
            Post(platform::WM_KEYDOWN, platform::VK_F12);
            step = 4;
        }
    });
    ASSERT_EQ(step, 4);
    ASSERT_GE(rendersAtFirstBlinkWait, 0);
    // Two seconds of blinking are eight changes, each one wait and one frame (where the
    // two seconds begin and end on the blink decides whether the last one is in).
    EXPECT_GE(rendersInSave, 7);
    EXPECT_LE(rendersInSave, 8);
    EXPECT_EQ(static_cast<size_t>(rendersInSave), timedWaitsInSave);
    for (const std::string& call : fake.calls) {
        if (call.rfind("WaitMessageTimeout(", 0) != 0 || call == "WaitMessageTimeout(INFINITE)") {
            continue;
        }
        const int ms = std::stoi(call.substr(19));
        EXPECT_GE(ms, 0) << call;
        EXPECT_LE(ms, 250) << call;
    }
}

// Drawing the Save dialog with its down arrow held moves the list; a key that finds the typed
// name again moves it back before the next drawing. The inputs are then those of the frame
// drawn before, but drawing them again would move the list again: the arrow must go on
// scrolling.
TEST_F(StillFramesTest, AHeldScrollArrowGoesOnAfterAKeyPutsTheListBack) {
    ChessGame saved;
    saved.NewGame(Human, Computer);
    for (int i = 0; i < 30; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "game%02d.chs", i);
        ASSERT_EQ(saved.SaveGame(name), 1);
    }
    int step = 0;
    long keyPass = 0;
    size_t waitsBefore = 0;
    size_t waitsWhileScrolling = 99;
    std::string firstName;
    Run([&](FakeSystem&) {
        const size_t waits = Waits("WaitMessageTimeout(INFINITE)");
        if (step == 0 && waits == 3) {
            MoveTo(50, 120);
            Post(platform::WM_LBUTTONDOWN);
            step = 1;
        } else if (step == 1 && app->buttonDown == 1) {
            Post(platform::WM_LBUTTONUP);
            step = 2;
        } else if (step == 2 && app->dialog == DialogSave && app->buttonDown == 0) {
            // The name of the list's first game (the directory's order decides which).
            firstName = app->savedGames[0];
            for (char key : firstName)
                Post(platform::WM_KEYDOWN,
                     static_cast<uintptr_t>(std::toupper(static_cast<unsigned char>(key))));
            MoveTo(kDownArrowButton.x + 10, kDownArrowButton.y + 10);
            Post(platform::WM_LBUTTONDOWN);
            step = 3;
        } else if (step == 3 && app->listTop == 19) {
            // Held at the end of the list; the name brings its game back into view, twice.
            Post(platform::WM_KEYDOWN, platform::VK_RETURN);
            keyPass = app->updates;
            step = 4;
        } else if (step == 4 && app->updates == keyPass + 1) {
            Post(platform::WM_KEYDOWN, platform::VK_RETURN);
            waitsBefore = TimedWaits();
            step = 5;
        } else if (step == 5 && app->updates > keyPass + 2 && app->listTop == 19) {
            waitsWhileScrolling = TimedWaits() - waitsBefore;
            Post(platform::WM_KEYDOWN, platform::VK_F12);
            step = 6;
        }
    });
    ASSERT_EQ(step, 6);
    EXPECT_EQ(std::string(app->saveName).rfind(firstName, 0), 0u);  // F12 types a sign after it
    // Every pass drew and none waited until the list was at its end again.
    EXPECT_EQ(waitsWhileScrolling, 0u);
}

TEST_F(StillFramesTest, AThinkingComputerAndItsGlidesAreDrawnInEveryPass) {
    fake.idleWaitLimit = 5;
    fake.tickStep = 16;
    bool sent = false;
    Board opening;
    Run(
        [&](FakeSystem&) {
            if (app->updates == 1) opening = app->game.board;
            if (app->updates == 200 && !sent) {
                sent = true;
                Post(platform::WM_KEYDOWN, platform::VK_F12);
            }
        },
        /*humans=*/false);
    EXPECT_GE(app->updates, 200);
    EXPECT_EQ(app->renders, app->updates);
    EXPECT_EQ(TimedWaits(), 0u);
    // The computer played meanwhile.
    EXPECT_NE(std::memcmp(opening.squares, app->game.board.squares, sizeof opening.squares), 0);
}

TEST_F(StillFramesTest, AStillScreenIsDrawnAgainAfterTheFocusReturnsOrTheDisplayIsLost) {
    int step = 0;
    long rendersWhenStill = -1;
    long rendersAfterFocus = -1;
    long rendersAfterLoss = -1;
    Run([&](FakeSystem& system) {
        const size_t waits = Waits("WaitMessageTimeout(INFINITE)");
        if (step == 0 && waits == 5) {
            rendersWhenStill = app->renders;
            Post(platform::WM_ACTIVATEAPP, 0);
            step = 1;
        } else if (step == 1 && Waits("WaitMessage") == 2) {
            Post(platform::WM_ACTIVATEAPP, 1);
            step = 2;
        } else if (step == 2 && waits == 8) {
            rendersAfterFocus = app->renders;
            system.LoseSurfaces();
            step = 3;
        } else if (step == 3 && waits == 11) {
            rendersAfterLoss = app->renders;
            Post(platform::WM_KEYDOWN, platform::VK_F12);
            step = 4;
        }
    });
    EXPECT_EQ(rendersAfterFocus, rendersWhenStill + 1);
    // The frame that meets the lost display is dropped with it, and drawn again.
    EXPECT_EQ(rendersAfterLoss, rendersAfterFocus + 2);
    EXPECT_GT(fake.Count("Restore(primary)"), 0u);
}

TEST_F(StillFramesTest, TheCheckModeComparesSkippedFramesAndCatchesAPictureWithHiddenInputs) {
    StillFrameCheck check;
    check.report = nullptr;
    stillFrameCheck = &check;
    Run(QuitAfterStillWaits(10));
    EXPECT_EQ(check.compared, 10u);
    EXPECT_EQ(check.differing, 0u);
    // The skipped frames were drawn but never shown.
    EXPECT_EQ(static_cast<long>(fake.Count("Flip(primary)")), app->renders - 10);

    TearDown();
    app = std::make_unique<CountingApp>();
    app->drawsUncountedDot = true;
    StillFrameCheck faulty;
    faulty.report = nullptr;
    stillFrameCheck = &faulty;
    fake.ClearCalls();
    Run(QuitAfterStillWaits(10));
    EXPECT_EQ(faulty.compared, 10u);
    EXPECT_EQ(faulty.differing, 10u);
}

// Random input aimed at everything the screens offer, through the real loop with the check
// mode on: not one skipped frame may differ from the one on the screen.
TEST_F(StillFramesTest, RandomizedSessionsLeaveNoFrameUndrawnThatWouldHaveChanged) {
    SessionResult total;
    for (uint32_t seed : {1u, 2u, 3u}) {
        SessionResult session = RunRandomSession(fake, seed, 1200);
        EXPECT_EQ(session.exitCode, 0) << seed;
        EXPECT_EQ(session.check.differing, 0u) << "seed " << seed;
        EXPECT_GT(session.check.compared, 100u) << "seed " << seed;
        total.check.compared += session.check.compared;
        total.passes += session.passes;
        total.thinkingPasses += session.thinkingPasses;
        total.glidingPasses += session.glidingPasses;
        total.focusChanges += session.focusChanges;
        total.displayLosses += session.displayLosses;
        for (int i = 0; i < 5; ++i) total.dialogPasses[i] += session.dialogPasses[i];
    }
    // The sessions reached every screen and every kind of change.
    for (int dialog = DialogNone; dialog <= DialogLoad; ++dialog) {
        EXPECT_GT(total.dialogPasses[dialog], 50) << "dialog " << dialog;
    }
    EXPECT_GT(total.thinkingPasses, 0);
    EXPECT_GT(total.glidingPasses, 0);
    EXPECT_GT(total.focusChanges, 0);
    EXPECT_GT(total.displayLosses, 0);
    std::printf(
        "randomized sessions: %ld passes (board %ld, quit %ld, play %ld, save %ld, load "
        "%ld, thinking %ld, gliding %ld), %llu skipped frames compared\n",
        total.passes, total.dialogPasses[0], total.dialogPasses[1], total.dialogPasses[2],
        total.dialogPasses[3], total.dialogPasses[4], total.thinkingPasses, total.glidingPasses,
        static_cast<unsigned long long>(total.check.compared));
}

}  // namespace
}  // namespace apptest
