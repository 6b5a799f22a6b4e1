// kestrion-engine: Kestrion's chess engine speaking UCI on standard input and output.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iostream>
#include <string>

#include "ai/random_draw.h"
#include "tools/engine/uci_session.h"
#include "tools/engine/worker_thread.h"

namespace {

const char kUsage[] =
    "Usage: kestrion-engine [--help | --version]\n"
    "Kestrion's chess engine under the rules of chess, for chess programs that speak UCI:\n"
    "it reads UCI commands on standard input and answers on standard output.\n"
    "Options (setoption): Hash (MB, default 16), Level (Beginner, Casual, Club, Master,\n"
    "Full; default Full).\n"
    "\n"
    "  -h, --help   show this text\n"
    "  --version    show the version\n";

// Lines from the search thread and the command reader, each written whole and sent at once.
class StandardOutput : public uci::LineSink {
  public:
    void Line(const std::string& line) override {
        while (busy_.test_and_set(std::memory_order_acquire)) {
        }
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
        busy_.clear(std::memory_order_release);
    }

  private:
    std::atomic_flag busy_ = ATOMIC_FLAG_INIT;
};

std::int64_t SteadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// 0 when the answer was written, 1 when it could not be.
int Answer(const char* text, std::FILE* to) {
    return std::fputs(text, to) >= 0 && std::fflush(to) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
            return Answer(kUsage, stdout);
        }
        if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
            return Answer("Kestrion engine " KESTRION_VERSION "\n", stdout);
        }
        std::fprintf(stderr, "kestrion-engine: unknown option: %s\n", argv[1]);
        Answer(kUsage, stderr);
        return 2;
    }
    // The levels' imperfection differs from one run to the next, as a person's would.
    SeedRandom(static_cast<std::uint32_t>(std::time(nullptr)));

    StandardOutput out;
    uci::WorkerThread worker;
    const uci::SessionServices services{
        out, worker, SteadyMilliseconds, uci::PauseBriefly, DrawRandom, uci::kLargestHashMb};
    uci::Session session(services, KESTRION_VERSION);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!session.Handle(line)) break;
    }
    // At the end of the input as at quit: no search is left running.
    session.StopSearch();
    return 0;
}
