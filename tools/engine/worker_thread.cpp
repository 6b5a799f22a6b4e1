#include "tools/engine/worker_thread.h"

#include <utility>

#ifdef _WIN32
#include <process.h>
#include <windows.h>

#include <cstdint>
#else
#include <chrono>
#include <thread>
#endif

namespace uci {

#ifdef _WIN32

struct WorkerThread::Handle {
    HANDLE thread = nullptr;
};

namespace {

unsigned __stdcall RunJob(void* job) {
    (*static_cast<std::function<void()>*>(job))();
    return 0;
}

}  // namespace

WorkerThread::WorkerThread() : handle_(std::make_unique<Handle>()) {}

WorkerThread::~WorkerThread() {
    Wait();
}

void WorkerThread::Start(std::function<void()> job) {
    Wait();
    job_ = std::move(job);
    const std::uintptr_t thread = _beginthreadex(nullptr, 0, RunJob, &job_, 0, nullptr);
    if (thread == 0) {
        // No thread to be had: the job runs here, and commands wait until it ends.
        job_();
        return;
    }
    handle_->thread = reinterpret_cast<HANDLE>(thread);
}

void WorkerThread::Wait() {
    if (handle_->thread == nullptr) return;
    WaitForSingleObject(handle_->thread, INFINITE);
    CloseHandle(handle_->thread);
    handle_->thread = nullptr;
}

void PauseBriefly() {
    Sleep(1);
}

#else

struct WorkerThread::Handle {
    std::thread thread;
};

WorkerThread::WorkerThread() : handle_(std::make_unique<Handle>()) {}

WorkerThread::~WorkerThread() {
    Wait();
}

void WorkerThread::Start(std::function<void()> job) {
    Wait();
    job_ = std::move(job);
    handle_->thread = std::thread(job_);
}

void WorkerThread::Wait() {
    if (handle_->thread.joinable()) handle_->thread.join();
}

void PauseBriefly() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

#endif

}  // namespace uci
