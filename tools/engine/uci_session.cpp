#include "tools/engine/uci_session.h"

#include <new>
#include <utility>

#include "engine/move_text.h"
#include "tools/engine/search_job.h"
#include "tools/engine/time_budget.h"

namespace uci {

namespace {

constexpr engine::Level kLevels[] = {engine::Level::Beginner, engine::Level::Casual,
                                     engine::Level::Club, engine::Level::Master,
                                     engine::Level::Full};

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// Text from the other side, cut and cleaned for an info string.
std::string Quoted(std::string_view text) {
    constexpr std::size_t kLongest = 60;
    std::string shown = "'";
    for (char c : text.substr(0, kLongest)) {
        const auto byte = static_cast<unsigned char>(c);
        shown += byte < 0x20 || byte == 0x7f ? '?' : c;
    }
    if (text.size() > kLongest) shown += "...";
    return shown + "'";
}

const char* GameOverReason(const engine::Position& position) {
    return position.InCheck() ? "checkmate" : "stalemate";
}

}  // namespace

Session::Session(const SessionServices& services, std::string_view version)
    : services_(services),
      version_(version),
      position_(
          std::make_unique<engine::Position>(engine::Position::Start(engine::Rules::Standard))),
      searcher_(std::make_unique<engine::Searcher>(kDefaultHashMb)) {}

Session::~Session() {
    StopSearch();
}

void Session::Note(const std::string& text) {
    services_.out.Line("info string " + text);
}

bool Session::MakeSearch() {
    // The old table goes before the new one is made: never two at once.
    searcher_.reset();
    levelPlayer_.reset();
    const auto make = [this] {
        const auto megabytes = static_cast<std::size_t>(hashMb_);
        if (level_ == engine::Level::Full) {
            searcher_ = std::make_unique<engine::Searcher>(megabytes);
        } else {
            levelPlayer_ = std::make_unique<engine::LevelPlayer>(megabytes);
        }
    };
    try {
        make();
        return true;
    } catch (const std::bad_alloc&) {
        hashMb_ = kDefaultHashMb;
        make();
        return false;
    }
}

engine::Searcher& Session::ActiveSearcher() {
    return searcher_ ? *searcher_ : levelPlayer_->GetSearcher();
}

void Session::StopSearch() {
    if (!searching_) return;
    stop_.store(true);
    services_.runner.Wait();
    searching_ = false;
    stop_.store(false);
}

bool Session::Handle(std::string_view line) {
    const Command command = ParseCommand(line);
    for (const std::string& note : command.notes) Note(note);
    switch (command.kind) {
        case CommandKind::Uci:
            AnswerUci();
            break;
        case CommandKind::IsReady:
            // Answered at once, also while the search runs.
            services_.out.Line("readyok");
            break;
        case CommandKind::SetOption:
            StopSearch();
            SetOption(command);
            break;
        case CommandKind::UciNewGame:
            StopSearch();
            ActiveSearcher().Clear();
            *position_ = engine::Position::Start(engine::Rules::Standard);
            break;
        case CommandKind::Position:
            StopSearch();
            SetPosition(command.position);
            break;
        case CommandKind::Go:
            StopSearch();
            Go(command.go);
            break;
        case CommandKind::Stop:
            StopSearch();
            break;
        case CommandKind::Quit:
            StopSearch();
            return false;
        case CommandKind::Debug:
        case CommandKind::Register:
        case CommandKind::PonderHit:
        case CommandKind::Empty:
        case CommandKind::Unknown:
            break;
    }
    return true;
}

void Session::AnswerUci() {
    services_.out.Line("id name Kestrion " + version_);
    services_.out.Line("id author the Kestrion developers");
    services_.out.Line("option name Hash type spin default " + std::to_string(kDefaultHashMb) +
                       " min 1 max " + std::to_string(services_.largestHashMb));
    std::string levels = "option name Level type combo default " +
                         std::string(engine::LevelName(engine::Level::Full));
    for (engine::Level level : kLevels) levels += " var " + std::string(engine::LevelName(level));
    services_.out.Line(levels);
    services_.out.Line("uciok");
}

void Session::SetOption(const Command& command) {
    if (SameNameIgnoringCase(command.optionName, "Hash")) {
        std::int64_t megabytes = 0;
        bool clamped = false;
        if (!command.hasValue ||
            !ReadNumber(command.optionValue, 1, services_.largestHashMb, megabytes, clamped)) {
            Note("refused setoption Hash: the value must be a number of megabytes, 1 to " +
                 std::to_string(services_.largestHashMb));
            return;
        }
        if (clamped) {
            Note("Hash " + Quoted(command.optionValue) + " is out of range: using " +
                 std::to_string(megabytes));
        }
        const int asked = static_cast<int>(megabytes);
        hashMb_ = asked;
        if (!MakeSearch()) {
            Note("refused setoption Hash " + std::to_string(asked) +
                 ": not enough memory; the table has " + std::to_string(hashMb_) + " MB");
        }
    } else if (SameNameIgnoringCase(command.optionName, "Level")) {
        engine::Level level;
        if (!command.hasValue || !engine::ParseLevel(command.optionValue, level)) {
            Note("refused setoption Level " + Quoted(command.optionValue) +
                 ": the levels are Beginner, Casual, Club, Master and Full");
            return;
        }
        const bool otherSearch = (level == engine::Level::Full) != (level_ == engine::Level::Full);
        level_ = level;
        if (otherSearch) MakeSearch();
    } else {
        Note("refused setoption: no option named " + Quoted(command.optionName) +
             " (the options are Hash and Level)");
    }
}

void Session::SetPosition(const PositionSetup& setup) {
    auto position =
        std::make_unique<engine::Position>(engine::Position::Start(engine::Rules::Standard));
    if (!setup.startPosition) {
        std::string error;
        if (!position->SetFen(setup.fen, &error)) {
            Note("refused position fen " + Quoted(setup.fen) + ": " + error +
                 "; the position stays as it was");
            return;
        }
    }
    for (std::size_t i = 0; i < setup.moves.size(); ++i) {
        const engine::Move move = engine::ParseMoveText(*position, setup.moves[i]);
        if (move == engine::kNoMove) {
            Note("refused move " + Quoted(setup.moves[i]) + " (move " + std::to_string(i + 1) +
                 " of the list): not a legal move there; the position stops before it");
            break;
        }
        position->DoMove(move);
    }
    position_ = std::move(position);
}

void Session::Go(const GoParameters& go) {
    engine::MoveList moves;
    position_->GenerateLegal(moves);
    if (moves.size == 0) {
        Note(std::string("no legal move: the game is over by ") + GameOverReason(*position_));
        services_.out.Line("bestmove 0000");
        return;
    }
    if (go.ponder) Note("go ponder is not supported: searching as for a move of our own");

    auto request = std::make_shared<SearchRequest>();
    request->root = *position_;
    request->limits.depth = go.depth;
    request->limits.nodes = go.nodes;
    const bool white = position_->SideToMove() == engine::Side::White;
    ClockSituation clock;
    clock.timeLeftMs = white ? go.whiteTimeMs : go.blackTimeMs;
    clock.incrementMs = white ? go.whiteIncrementMs : go.blackIncrementMs;
    clock.movesToGo = go.movesToGo;
    clock.moveTimeMs = go.moveTimeMs;
    if (!go.infinite) request->time = PlanTime(clock);
    // A go without any limit is taken as infinite, as GUIs mean it.
    const bool unlimited = !request->time.limited && go.depth == 0 && go.nodes == 0;
    request->waitForStop = go.infinite || unlimited;
    request->limits.infinite = request->waitForStop;
    request->level = level_;

    stop_.store(false);
    searching_ = true;
    services_.runner.Start([this, request] {
        SearchTools tools{searcher_.get(), levelPlayer_.get(), services_.drawRandom,
                          services_.nowMs, services_.pause};
        RunSearch(*request, tools, stop_, services_.out);
    });
}

}  // namespace uci
