#pragma once

#include <functional>

namespace uci {

// Runs the session's one search at a time. The program runs it on a worker thread so that
// commands are still read while it thinks; the tests run it at once on their own thread.
class JobRunner {
  public:
    virtual ~JobRunner() = default;
    // Starts job; called only when no job is running (after Wait).
    virtual void Start(std::function<void()> job) = 0;
    // Returns once the job started last has ended (at once when none was started).
    virtual void Wait() = 0;
};

// Runs each job to its end inside Start.
class InlineRunner : public JobRunner {
  public:
    void Start(std::function<void()> job) override { job(); }
    void Wait() override {}
};

}  // namespace uci
