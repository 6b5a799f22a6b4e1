// The time of one frame's Update + Render on the in-memory display with the game's own
// artwork: through a seeded computer-against-computer game (median and slowest frame), and
// with a piece selected, when every frame runs 64 legality tests.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "ai/random_draw.h"
#include "app/chess_app.h"
#include "app/shell.h"
#include "display/display_device.h"
#include "display/testing/fake_system.h"
#include "resources/embedded.h"

namespace {

class BenchApp final : public ChessApp {};

constexpr const char* kSheets[] = {"back.bmp",    "bigbns.bmp",  "smlbns.bmp",  "dlgload.bmp",
                                   "dlgsave.bmp", "dlgquit.bmp", "dlgplay.bmp", "font8.bmp",
                                   "mouse.bmp",   "pieces.bmp",  "status.bmp"};

// The display opened on the test double, the artwork registered and the application
// started, as the shell does it.
struct Stage {
    platform::FakeSystem fake;
    std::unique_ptr<BenchApp> app = std::make_unique<BenchApp>();

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
        app->Update(input);
        app->Render();
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

BENCHMARK(BM_SelfPlayFrame)->UseManualTime()->Iterations(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectedPieceFrame)->UseManualTime()->Iterations(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
