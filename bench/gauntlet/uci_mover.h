#pragma once

// A chess program that speaks UCI, started as a child process and played through pipes: a
// reference engine at a limited strength, or kestrion-engine itself for the clock test.
// POSIX only, like the rest of the benchmarks.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/selfplay/standard_game.h"

namespace gauntlet {

class UciMover : public match::Mover {
  public:
    // command is run by /bin/sh; options are sent as setoption name/value pairs.
    UciMover(std::string command, std::vector<std::pair<std::string, std::string>> options,
             std::int64_t moveTimeMs);
    ~UciMover() override;

    // Starts the program and waits for uciok and readyok; false, with error, on failure.
    bool Start(std::string& error);
    void NewGame() override;
    engine::Move Choose(const engine::Position& position, const std::vector<std::string>& moves,
                        const match::GameClock& clock, std::string& error) override;
    const std::string& Name() const { return name_; }

  private:
    bool Send(const std::string& line);
    // The next line, waiting at most timeoutMs; false on timeout or end of output.
    bool ReadLine(std::string& line, std::int64_t timeoutMs);
    bool WaitFor(const std::string& prefix, std::int64_t timeoutMs, std::string* line = nullptr);
    void Kill();

    std::string command_;
    std::vector<std::pair<std::string, std::string>> options_;
    std::int64_t moveTimeMs_;
    std::string name_;
    pid_t pid_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
    std::string buffer_;
};

}  // namespace gauntlet
