// A long soak of the frame loop's check mode: randomized sessions of the whole program on
// the headless test double with the game's own artwork, one after another for the given
// time, each skipped frame drawn all the same and compared with the one on the screen.
//
// Usage: kestrion-still-soak [seconds (default 60)] [first seed (default 1)]
// Prints the frames compared and the differences; exits 1 when any frame differed.

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "display/testing/fake_system.h"
#include "display/testing/temp_directory.h"
#include "resources/embedded.h"
#include "tests/app/random_session.h"

namespace {

constexpr const char* kSheets[] = {"back.bmp",    "bigbns.bmp",  "smlbns.bmp",  "dlgload.bmp",
                                   "dlgsave.bmp", "dlgquit.bmp", "dlgplay.bmp", "font8.bmp",
                                   "mouse.bmp",   "pieces.bmp",  "status.bmp"};

constexpr long kPassesPerSession = 20000;

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60;
    uint32_t seed = argc > 2 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 1;
    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };

    unsigned long long compared = 0, differing = 0, passes = 0, sessions = 0;
    double nextProgress = 60;
    while (elapsed() < seconds) {
        platform::FakeSystem fake;
        fake.Install();
        platform::TempDirectory folder;
        folder.EnterAsCurrent();
        for (const char* name : kSheets) {
            if (const EmbeddedFile* file = FindEmbeddedFile(name)) {
                fake.AddEmbeddedBitmap(name, {file->data, file->data + file->size});
            }
        }
        apptest::SessionResult session = apptest::RunRandomSession(fake, seed, kPassesPerSession);
        compared += session.check.compared;
        differing += session.check.differing;
        passes += static_cast<unsigned long long>(session.passes);
        ++sessions;
        if (session.check.differing > 0 || session.exitCode != 0) {
            std::printf("seed %u: %llu differing frames, exit code %d\n", seed,
                        static_cast<unsigned long long>(session.check.differing), session.exitCode);
        }
        ++seed;
        // A line a minute, so that a soak cut short still tells what it saw.
        if (elapsed() >= nextProgress) {
            std::printf("%.0f s: %llu sessions, %llu passes, %llu compared, %llu differing\n",
                        elapsed(), sessions, passes, compared, differing);
            std::fflush(stdout);
            nextProgress += 60;
        }
    }
    std::printf(
        "%llu sessions (seeds up to %u), %llu passes, %llu skipped frames compared, "
        "%llu differing, %.0f s\n",
        sessions, seed - 1, passes, compared, differing, elapsed());
    return differing == 0 ? 0 : 1;
}
