#include "bench/gauntlet/uci_mover.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include "engine/move_text.h"

namespace gauntlet {

namespace {

std::int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

constexpr std::int64_t kStartTimeoutMs = 10000;
// Past its clock (or move time) an engine gets this long to answer before it is stopped.
constexpr std::int64_t kGraceMs = 2000;

}  // namespace

UciMover::UciMover(std::string command, std::vector<std::pair<std::string, std::string>> options,
                   std::int64_t moveTimeMs)
    : command_(std::move(command)),
      options_(std::move(options)),
      moveTimeMs_(moveTimeMs),
      name_(command_) {}

UciMover::~UciMover() {
    if (pid_ > 0) {
        Send("quit");
        // A well-behaved engine ends at quit; one that does not is ended.
        for (int i = 0; i < 100; ++i) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                break;
            }
            usleep(10000);
        }
    }
    Kill();
}

void UciMover::Kill() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    if (toChild_ >= 0) close(toChild_);
    if (fromChild_ >= 0) close(fromChild_);
    toChild_ = fromChild_ = -1;
    buffer_.clear();
}

bool UciMover::Start(std::string& error) {
    signal(SIGPIPE, SIG_IGN);
    int in[2];
    int out[2];
    // Close-on-exec, so that one engine never holds the pipes of another.
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) {
        error = "no pipes";
        return false;
    }
    pid_ = fork();
    if (pid_ < 0) {
        error = "cannot start a process";
        return false;
    }
    if (pid_ == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        close(in[0]);
        close(in[1]);
        close(out[0]);
        close(out[1]);
        // exec: the engine takes the shell's place, so ending the child ends the engine.
        const std::string line = "exec " + command_;
        execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    toChild_ = in[1];
    fromChild_ = out[0];
    std::string line;
    if (!Send("uci")) {
        error = "cannot write to '" + command_ + "'";
        return false;
    }
    const std::int64_t deadline = NowMs() + kStartTimeoutMs;
    while (true) {
        if (!ReadLine(line, deadline - NowMs())) {
            error = "'" + command_ + "' did not answer uci";
            return false;
        }
        if (line.rfind("id name ", 0) == 0) name_ = line.substr(8);
        if (line == "uciok") break;
    }
    for (const auto& [name, value] : options_) Send("setoption name " + name + " value " + value);
    Send("isready");
    if (!WaitFor("readyok", kStartTimeoutMs)) {
        error = "'" + command_ + "' did not answer isready";
        return false;
    }
    return true;
}

bool UciMover::Send(const std::string& line) {
    if (toChild_ < 0) return false;
    const std::string text = line + "\n";
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(toChild_, text.data() + written, text.size() - written);
        if (n <= 0) return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

bool UciMover::ReadLine(std::string& line, std::int64_t timeoutMs) {
    const std::int64_t deadline = NowMs() + (timeoutMs > 0 ? timeoutMs : 0);
    while (true) {
        const std::size_t end = buffer_.find('\n');
        if (end != std::string::npos) {
            line = buffer_.substr(0, end);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            buffer_.erase(0, end + 1);
            return true;
        }
        const std::int64_t left = deadline - NowMs();
        if (fromChild_ < 0 || left < 0) return false;
        pollfd watch{fromChild_, POLLIN, 0};
        const int ready = poll(&watch, 1, static_cast<int>(left));
        if (ready <= 0) return false;
        char chunk[4096];
        const ssize_t n = read(fromChild_, chunk, sizeof chunk);
        if (n <= 0) return false;
        buffer_.append(chunk, static_cast<std::size_t>(n));
    }
}

bool UciMover::WaitFor(const std::string& prefix, std::int64_t timeoutMs, std::string* found) {
    const std::int64_t deadline = NowMs() + timeoutMs;
    std::string line;
    while (ReadLine(line, deadline - NowMs())) {
        if (line.rfind(prefix, 0) == 0) {
            if (found != nullptr) *found = line;
            return true;
        }
    }
    return false;
}

void UciMover::NewGame() {
    Send("ucinewgame");
    Send("isready");
    WaitFor("readyok", kStartTimeoutMs);
}

engine::Move UciMover::Choose(const engine::Position& position,
                              const std::vector<std::string>& moves, const match::GameClock& clock,
                              std::string& error) {
    std::string setup = "position startpos";
    if (!moves.empty()) {
        setup += " moves";
        for (const std::string& move : moves) setup += " " + move;
    }
    std::string go;
    std::int64_t allowedMs;
    if (clock.running) {
        go = "go wtime " + std::to_string(clock.whiteMs) + " btime " +
             std::to_string(clock.blackMs) + " winc " + std::to_string(clock.incrementMs) +
             " binc " + std::to_string(clock.incrementMs);
        allowedMs = position.SideToMove() == engine::Side::White ? clock.whiteMs : clock.blackMs;
    } else {
        go = "go movetime " + std::to_string(moveTimeMs_);
        allowedMs = moveTimeMs_;
    }
    if (!Send(setup) || !Send(go)) {
        error = "'" + name_ + "' is gone";
        return engine::kNoMove;
    }
    std::string answer;
    if (!WaitFor("bestmove", allowedMs + kGraceMs, &answer)) {
        Send("stop");
        if (!WaitFor("bestmove", kGraceMs, &answer)) {
            error = "'" + name_ + "' gave no move";
            // Whatever state it is in, the next game starts a fresh one.
            Kill();
            std::string restart;
            Start(restart);
            return engine::kNoMove;
        }
    }
    std::size_t from = std::strlen("bestmove");
    while (from < answer.size() && answer[from] == ' ') ++from;
    const std::string text = answer.substr(from, answer.find(' ', from) - from);
    const engine::Move move = engine::ParseMoveText(position, text);
    if (move == engine::kNoMove) error = "'" + name_ + "' played '" + text + "', not legal";
    return move;
}

}  // namespace gauntlet
