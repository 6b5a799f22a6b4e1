// Feeds arbitrary bytes, line by line, to the UCI session as a chess program on the other
// end of the pipe would: the command reader, the options, the positions and their moves.
// A go's search is started and at once told to stop, so each input stays quick while the
// search job's own handling of the request still runs.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>

#include "tools/engine/uci_session.h"

namespace {

// Runs a search only when the session waits for it, which is after it has asked it to stop.
class StopFirstRunner : public uci::JobRunner {
  public:
    void Start(std::function<void()> job) override { job_ = std::move(job); }
    void Wait() override {
        if (job_) job_();
        job_ = nullptr;
    }

  private:
    std::function<void()> job_;
};

bool StartsWith(const std::string& line, std::string_view prefix) {
    return line.compare(0, prefix.size(), prefix) == 0;
}

// Every answer is one line of a kind the protocol knows.
class CheckedLines : public uci::LineSink {
  public:
    void Line(const std::string& line) override {
        if (line.find('\n') != std::string::npos || line.find('\r') != std::string::npos) {
            std::abort();
        }
        if (!StartsWith(line, "id ") && !StartsWith(line, "option ") && line != "uciok" &&
            line != "readyok" && !StartsWith(line, "info ") && !StartsWith(line, "bestmove ")) {
            std::abort();
        }
    }
};

int NoRandom() {
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One session carries on from input to input, as a real one does over a long
    // conversation; a fresh one per input would allocate its table each time.
    static CheckedLines out;
    static StopFirstRunner runner;
    // Tables of a few megabytes: a gigabyte asked for by the input would only try the
    // machine's memory, over and over.
    static uci::Session session(
        uci::SessionServices{out, runner, [] { return std::int64_t{0}; }, [] {}, NoRandom, 4},
        "fuzz");
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        session.Handle(text.substr(start, end - start));
        start = end + 1;
    }
    session.StopSearch();
    // Whatever was set up is a position of the rules of chess that reads back from its FEN.
    engine::Position copy;
    std::string error;
    if (!copy.SetFen(session.CurrentPosition().Fen(), &error)) std::abort();
    return 0;
}
