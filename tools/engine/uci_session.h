#pragma once

// The engine's side of a UCI conversation under the rules of chess: it reads command lines,
// keeps the position and the options, starts and stops the search, and answers through a
// LineSink. Nothing a line holds makes it fail or wait: what it refuses it names in an
// "info string" line.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/level.h"
#include "engine/position.h"
#include "engine/search.h"
#include "tools/engine/job_runner.h"
#include "tools/engine/line_sink.h"
#include "tools/engine/uci_command.h"

namespace uci {

inline constexpr int kDefaultHashMb = 16;
inline constexpr int kLargestHashMb = 1024;

struct SessionServices {
    LineSink& out;
    JobRunner& runner;
    std::function<std::int64_t()> nowMs;  // a steady clock in milliseconds
    std::function<void()> pause;          // a short sleep, for a search waiting for stop
    int (*drawRandom)();                  // the levels' random numbers, 0 to 32767
    int largestHashMb = kLargestHashMb;   // the most the Hash option may ask for
};

class Session {
  public:
    Session(const SessionServices& services, std::string_view version);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Answers one line; false once the line was quit.
    bool Handle(std::string_view line);
    // Stops a running search and waits for its bestmove (as quit and the end of input do).
    void StopSearch();

    const engine::Position& CurrentPosition() const { return *position_; }
    engine::Level CurrentLevel() const { return level_; }
    int HashMegabytes() const { return hashMb_; }

  private:
    void Note(const std::string& text);
    void AnswerUci();
    void SetOption(const Command& command);
    void SetPosition(const PositionSetup& setup);
    void Go(const GoParameters& go);

    SessionServices services_;
    std::string version_;
    // Makes the search of level_ with a table of hashMb_, dropping the other one first, so
    // that one table is all the session holds. False when the memory is not to be had.
    bool MakeSearch();
    engine::Searcher& ActiveSearcher();

    // Large (the history and the table): kept off the stack. At full strength the session
    // searches with searcher_, at a lower level with levelPlayer_; the other is empty.
    std::unique_ptr<engine::Position> position_;
    std::unique_ptr<engine::Searcher> searcher_;
    std::unique_ptr<engine::LevelPlayer> levelPlayer_;
    engine::Level level_ = engine::Level::Full;
    int hashMb_ = kDefaultHashMb;
    std::atomic<bool> stop_{false};
    bool searching_ = false;
};

}  // namespace uci
