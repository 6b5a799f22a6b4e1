#pragma once

#include <string>

namespace uci {

// Where the engine's answers go, one whole line at a time (without its line end): the
// program's standard output, or a test's list. The search thread and the command reader
// both write, so an implementation must take lines from two threads.
class LineSink {
  public:
    virtual ~LineSink() = default;
    virtual void Line(const std::string& line) = 0;
};

}  // namespace uci
