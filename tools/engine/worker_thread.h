#pragma once

// The program's JobRunner: one job at a time on a thread of its own, so that stop and
// isready are read and answered while the search thinks. The Windows build uses the
// system's threads directly: its compiler's thread model offers no std::thread.

#include <functional>
#include <memory>

#include "tools/engine/job_runner.h"

namespace uci {

class WorkerThread : public JobRunner {
  public:
    WorkerThread();
    ~WorkerThread() override;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    void Start(std::function<void()> job) override;
    void Wait() override;

  private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    std::function<void()> job_;
};

// A pause of about a millisecond for a thread that waits.
void PauseBriefly();

}  // namespace uci
