// The time of one frame's Update + Render on the in-memory display with the game's own
// artwork: through a seeded computer-against-computer game (median and slowest frame), and
// with a piece selected, when every frame runs 64 legality tests.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <thread>
#include <vector>

#include "ai/random_draw.h"
#include "app/chess_app.h"
#include "app/shell.h"
#include "display/display_device.h"
#include "display/testing/fake_system.h"
#include "game/standard_squares.h"
#include "resources/embedded.h"

namespace {

class BenchApp final : public ChessApp {};

constexpr const char* kSheets[] = {"back.bmp",     "bigbns.bmp",  "smlbns.bmp",  "dlgload.bmp",
                                   "dlgsave.bmp",  "dlgquit.bmp", "dlgplay.bmp", "font8.bmp",
                                   "mouse.bmp",    "pieces.bmp",  "status.bmp",  "options.bmp",
                                   "takeback.bmp", "draws.bmp",   "ranks.bmp",   "picker.bmp"};

// The processor time of this thread: on a machine shared with other work, the wall-clock time
// of a frame also counts the time the thread waited for a processor.
double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The display opened on the test double, the artwork registered and the application
// started, as the shell does it.
struct Stage {
    platform::FakeSystem fake;
    std::unique_ptr<BenchApp> app = std::make_unique<BenchApp>();
    double lastCpuSeconds = 0;  // of the last Frame
    // From the start of the frame before the last Frame to the start of the last: the
    // interval between presented frames, counting the Flip and whatever ran between frames.
    double lastIntervalSeconds = 0;
    std::chrono::steady_clock::time_point lastStart{};

    Stage() {
        fake.Install();
        fake.recording = false;
        for (const char* name : kSheets) {
            if (const EmbeddedFile* file = FindEmbeddedFile(name)) {
                fake.AddEmbeddedBitmap(name, {file->data, file->data + file->size});
            }
        }
        DisplayDevice::windowProcedure = GameWindowProc;
        DisplayDevice::Open(nullptr, platform::SW_SHOWNORMAL);
        app->directDraw = DisplayDevice::directDraw;
        app->primary = DisplayDevice::primary;
        app->backBuffer = DisplayDevice::backBuffer;
        app->Init(DisplayDevice::window);
    }
    ~Stage() {
        app->Shutdown();
        DisplayDevice::Release();
    }

    // One frame at 60 Hz with the cursor on a board square (so the tooltip shows);
    // answers its Update + Render time in seconds.
    double Frame(int x, int y, int down) {
        InputSnapshot input{};
        input.cursorX = x;
        input.cursorY = y;
        input.buttonDown = down;
        input.elapsedMs = 16;
        const auto start = std::chrono::steady_clock::now();
        lastIntervalSeconds = std::chrono::duration<double>(start - lastStart).count();
        lastStart = start;
        const double cpuStart = ThreadCpuSeconds();
        app->Update(input);
        app->Render();
        lastCpuSeconds = ThreadCpuSeconds() - cpuStart;
        const auto end = std::chrono::steady_clock::now();
        DisplayDevice::Flip();
        return std::chrono::duration<double>(end - start).count();
    }
};

void ReportFrames(benchmark::State& state, std::vector<double>& seconds) {
    if (seconds.empty()) return;
    std::sort(seconds.begin(), seconds.end());
    state.counters["median_us"] = seconds[seconds.size() / 2] * 1e6;
    state.counters["slowest_us"] = seconds.back() * 1e6;
    state.counters["p99_us"] = seconds[seconds.size() * 99 / 100] * 1e6;
}

void BM_SelfPlayFrame(benchmark::State& state) {
    randomSeeded = 1;
    SeedRandom(1);
    Stage stage;
    std::vector<double> seconds;
    for (auto _ : state) {
        const double frame = stage.Frame(345, 265, 0);
        state.SetIterationTime(frame);
        seconds.push_back(frame);
        if (stage.app->stepResult == GameOver) stage.app->game.NewGame(Computer, Computer);
    }
    ReportFrames(state, seconds);
}

void BM_SelectedPieceFrame(benchmark::State& state) {
    Stage stage;
    stage.app->game.NewGame(Human, Human);
    stage.Frame(0, 470, 0);
    stage.Frame(345, 365, 1);  // the White queen's pawn selected
    std::vector<double> seconds;
    for (auto _ : state) {
        const double frame = stage.Frame(345, 365, 1);
        state.SetIterationTime(frame);
        seconds.push_back(frame);
    }
    ReportFrames(state, seconds);
}

// Frames while the engine's Master level thinks, Standard rules, the pointer moving over the
// board: each frame advances the search by one slice, which must leave the frame short. With a
// period, each frame starts no sooner than that after the last one, as the desktop's frame
// presenter paces its loop; without, frames follow each other at once.
void MasterThinkingFrames(benchmark::State& state, std::chrono::milliseconds period) {
    randomSeeded = 1;
    SeedRandom(7);
    Stage stage;
    stage.app->game.StartGame(Human, Computer, RulesStandard, LevelClassic, LevelMaster);
    stage.Frame(0, 470, 0);
    std::vector<double> seconds;
    std::vector<double> cpu;
    std::vector<double> intervals;
    int frame = 0;
    bool lastWasThinking = false;
    for (auto _ : state) {
        ChessGame& game = stage.app->game;
        if (stage.app->stepResult == GameOver)
            game.StartGame(Human, Computer, RulesStandard, LevelClassic, LevelMaster);
        if (stage.app->stepResult == WhiteToMove && stage.app->animating == 0) {
            // The human plays the last legal move at once; only thinking frames are timed.
            engine::MoveList moves;
            game.position.GenerateLegal(moves);
            const engine::Move last = moves.moves[moves.size - 1];
            char text[5] = {
                ScreenFileOf(engine::MoveFrom(last)), ScreenRankOf(engine::MoveFrom(last)),
                ScreenFileOf(engine::MoveTo(last)), ScreenRankOf(engine::MoveTo(last)), '\0'};
            game.SubmitMove(text);
            if (game.state == Unsettled && game.promotionFrom >= 0) {
                char queen[] = "q";
                game.Step();
                game.SubmitMove(queen);
            }
        }
        const int x = 130 + (frame * 7) % 380;
        const double seconds_ = stage.Frame(x, 60 + (frame * 3) % 380, 0);
        if (period.count() > 0) std::this_thread::sleep_until(stage.lastStart + period);
        ++frame;
        const bool thinking = stage.app->stepResult == ComputerThinking;
        // Only between two thinking frames: the human's move before one is not timed.
        if (thinking && lastWasThinking) intervals.push_back(stage.lastIntervalSeconds);
        lastWasThinking = thinking;
        if (!thinking) continue;
        state.SetIterationTime(seconds_);
        seconds.push_back(seconds_);
        cpu.push_back(stage.lastCpuSeconds);
    }
    ReportFrames(state, seconds);
    if (cpu.empty() || intervals.empty()) return;
    std::sort(cpu.begin(), cpu.end());
    state.counters["cpu_p99_us"] = cpu[cpu.size() * 99 / 100] * 1e6;
    state.counters["cpu_slowest_us"] = cpu.back() * 1e6;
    std::sort(intervals.begin(), intervals.end());
    state.counters["interval_p99_us"] = intervals[intervals.size() * 99 / 100] * 1e6;
    state.counters["interval_slowest_us"] = intervals.back() * 1e6;
}

void BM_MasterThinkingFrame(benchmark::State& state) {
    MasterThinkingFrames(state, std::chrono::milliseconds(0));
}

// At 60 frames a second, the desktop's usual refresh.
void BM_MasterThinkingPacedFrame(benchmark::State& state) {
    MasterThinkingFrames(state, std::chrono::milliseconds(16));
}

BENCHMARK(BM_SelfPlayFrame)->UseManualTime()->Iterations(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectedPieceFrame)->UseManualTime()->Iterations(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MasterThinkingFrame)->UseManualTime()->Iterations(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MasterThinkingPacedFrame)
    ->UseManualTime()
    ->Iterations(1500)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
