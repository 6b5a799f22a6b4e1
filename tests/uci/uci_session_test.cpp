#include "tools/engine/uci_session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/move_text.h"
#include "tools/engine/search_job.h"
#include "tools/engine/worker_thread.h"

namespace uci {
namespace {

class RecordedLines : public LineSink {
  public:
    void Line(const std::string& line) override {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.push_back(line);
    }
    std::vector<std::string> Lines() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.clear();
    }
    bool Has(const std::string& part) const {
        for (const std::string& line : Lines()) {
            if (line.find(part) != std::string::npos) return true;
        }
        return false;
    }
    // The move of the last bestmove line, or "" when there is none.
    std::string BestMove() const {
        const std::vector<std::string> lines = Lines();
        for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
            if (it->rfind("bestmove ", 0) == 0) return it->substr(9);
        }
        return "";
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

int CountingRandom() {
    static int next = 0;
    next = (next + 7919) % 32768;
    return next;
}

// A clock that moves on by a fixed step each time it is read, so a time limit is reached
// after a known number of looks whatever the machine's speed.
struct SteppingClock {
    std::int64_t now = 0;
    std::int64_t step = 0;
    int reads = 0;
    std::int64_t Read() {
        ++reads;
        now += step;
        return now;
    }
};

class SessionTest : public testing::Test {
  protected:
    SessionServices Services(JobRunner& runner) {
        return SessionServices{out,   runner,         [this] { return clock.Read(); },
                               [] {}, CountingRandom, kLargestHashMb};
    }
    std::string Fen(const Session& session) { return session.CurrentPosition().Fen(); }
    // The first two FEN fields: the board and the side to move.
    std::string Placement(const Session& session) {
        const std::string fen = Fen(session);
        const std::size_t second = fen.find(' ', fen.find(' ') + 1);
        return fen.substr(0, second);
    }
    bool LegalThere(const Session& session, const std::string& move) {
        return engine::ParseMoveText(session.CurrentPosition(), move) != engine::kNoMove;
    }

    RecordedLines out;
    SteppingClock clock;
    InlineRunner inline_;
};

TEST_F(SessionTest, UciNamesTheEngineAndItsOptionsThenSaysUciok) {
    Session session(Services(inline_), "9.8.7");
    EXPECT_TRUE(session.Handle("uci"));
    const std::vector<std::string> lines = out.Lines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "id name Kestrion 9.8.7");
    EXPECT_EQ(lines[1], "id author the Kestrion developers");
    EXPECT_TRUE(out.Has("option name Hash type spin default 16 min 1 max 1024"));
    EXPECT_TRUE(
        out.Has("option name Level type combo default Full var Beginner var Casual var Club var "
                "Master var Full"));
    EXPECT_EQ(lines.back(), "uciok");
    out.Clear();
    session.Handle("isready");
    EXPECT_EQ(out.Lines(), std::vector<std::string>{"readyok"});
}

TEST_F(SessionTest, PositionsFromStartposAndFenWithMoves) {
    Session session(Services(inline_), "1");
    session.Handle("position startpos moves e2e4 c7c5 g1f3");
    EXPECT_EQ(Placement(session), "rnbqkbnr/pp1ppppp/8/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R b");
    // Castling and promotion by their UCI texts, and the clocks of the FEN kept.
    session.Handle(
        "position fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1 "
        "moves e1g1 e8c8");
    EXPECT_EQ(Placement(session), "2kr3r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R4RK1 w");
    session.Handle("position fen 8/1P6/8/8/8/8/6k1/K7 w - - 12 40 moves b7b8n");
    EXPECT_EQ(Fen(session), "1N6/8/8/8/8/8/6k1/K7 b - - 0 40");
    EXPECT_TRUE(out.Lines().empty());
}

TEST_F(SessionTest, AnIllegalMoveStopsTheListBeforeItAndIsNamed) {
    Session session(Services(inline_), "1");
    session.Handle("position startpos moves e2e4 e2e4 d7d5");
    EXPECT_EQ(Placement(session), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b");
    EXPECT_TRUE(out.Has("info string refused move 'e2e4' (move 2 of the list)"));
    out.Clear();
    // Nonsense and a move of the wrong side are refused alike.
    session.Handle("position startpos moves zz99");
    EXPECT_TRUE(out.Has("refused move 'zz99' (move 1"));
    session.Handle("position startpos moves e7e5");
    EXPECT_TRUE(out.Has("refused move 'e7e5'"));
    EXPECT_EQ(Placement(session), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w");
}

TEST_F(SessionTest, AMalformedFenLeavesThePositionAsItWas) {
    Session session(Services(inline_), "1");
    session.Handle("position startpos moves d2d4");
    const std::string before = Fen(session);
    for (const char* line :
         {"position fen 8/8/8 w - - 0 1",
          "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x",
          "position fen 8/8/8/8/8/8/8/8 w - - 0 1 moves e2e4",
          "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNZ w KQkq - 0 1"}) {
        out.Clear();
        session.Handle(line);
        EXPECT_EQ(Fen(session), before) << line;
        EXPECT_TRUE(out.Has("info string refused position fen")) << line;
    }
}

TEST_F(SessionTest, OptionsAreSetInAnyCaseAndBadValuesRefused) {
    Session session(Services(inline_), "1");
    session.Handle("setoption name level value cLuB");
    EXPECT_EQ(session.CurrentLevel(), engine::Level::Club);
    session.Handle("setoption name Level value Grandmaster");
    EXPECT_EQ(session.CurrentLevel(), engine::Level::Club);
    EXPECT_TRUE(out.Has("refused setoption Level 'Grandmaster'"));

    session.Handle("setoption name HASH value 2");
    EXPECT_EQ(session.HashMegabytes(), 2);
    session.Handle("setoption name Hash value lots");
    EXPECT_EQ(session.HashMegabytes(), 2);
    EXPECT_TRUE(out.Has("refused setoption Hash"));
    session.Handle("setoption name Hash value 0");
    EXPECT_EQ(session.HashMegabytes(), 1);
    EXPECT_TRUE(out.Has("Hash '0' is out of range: using 1"));

    out.Clear();
    session.Handle("setoption name Ponder value true");
    EXPECT_TRUE(out.Has("refused setoption: no option named 'Ponder'"));
}

TEST_F(SessionTest, GoToADepthReportsEachIterationAndALegalMove) {
    Session session(Services(inline_), "1");
    session.Handle("position startpos moves e2e4");
    session.Handle("go depth 3");
    const std::vector<std::string> lines = out.Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(out.Has("info depth 1 "));
    EXPECT_TRUE(out.Has("info depth 3 "));
    EXPECT_FALSE(out.Has("info depth 4 "));
    for (const std::string& line : lines) {
        if (line.rfind("info depth", 0) != 0) continue;
        EXPECT_NE(line.find(" score cp "), std::string::npos) << line;
        EXPECT_NE(line.find(" nodes "), std::string::npos) << line;
        EXPECT_NE(line.find(" nps "), std::string::npos) << line;
        EXPECT_NE(line.find(" time "), std::string::npos) << line;
        EXPECT_NE(line.find(" pv "), std::string::npos) << line;
    }
    EXPECT_EQ(lines.back().rfind("bestmove ", 0), 0u);
    EXPECT_TRUE(LegalThere(session, out.BestMove()));
}

TEST_F(SessionTest, AMateInOneIsFoundAndScoredAsAMate) {
    Session session(Services(inline_), "1");
    session.Handle("position fen 6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1");
    session.Handle("go depth 4");
    EXPECT_EQ(out.BestMove(), "a1a8");
    EXPECT_TRUE(out.Has(" score mate 1 "));
}

TEST_F(SessionTest, WithNoLegalMoveTheAnswerIsTheNullMove) {
    Session session(Services(inline_), "1");
    session.Handle("position fen R5k1/5ppp/8/8/8/8/5PPP/6K1 b - - 1 1");
    session.Handle("go depth 5");
    EXPECT_TRUE(out.Has("info string no legal move: the game is over by checkmate"));
    EXPECT_EQ(out.BestMove(), "0000");
    out.Clear();
    session.Handle("position fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
    session.Handle("go wtime 1000 btime 1000");
    EXPECT_TRUE(out.Has("by stalemate"));
    EXPECT_EQ(out.BestMove(), "0000");
}

TEST_F(SessionTest, TheClockStopsTheSearchAtItsHardLimit) {
    // Each look at the clock passes 40 ms; with a second on the clock the hard limit is a
    // few hundred milliseconds, so the search answers after a handful of looks, long before
    // depth 64 would be reached.
    clock.step = 40;
    Session session(Services(inline_), "1");
    session.Handle("position startpos");
    session.Handle("go wtime 1000 btime 1000 depth 64");
    EXPECT_TRUE(LegalThere(session, out.BestMove()));
    EXPECT_LT(clock.reads, 40);
    EXPECT_FALSE(out.Has("info depth 20 "));
    // movetime is spent whole, then no more.
    clock.reads = 0;
    out.Clear();
    session.Handle("go movetime 400");
    EXPECT_TRUE(LegalThere(session, out.BestMove()));
    EXPECT_LT(clock.reads, 15);
}

TEST_F(SessionTest, ALevelBelowFullPlaysItsOwnLegalMove) {
    Session session(Services(inline_), "1");
    session.Handle("setoption name Level value Beginner");
    session.Handle("position startpos moves g1f3 d7d5");
    session.Handle("go wtime 60000 btime 60000");
    EXPECT_TRUE(LegalThere(session, out.BestMove()));
}

TEST_F(SessionTest, ALevelCutShortByTheClockPlaysWhatItHasFoundSoFar) {
    // Master's budget is far beyond three looks at this clock; what its search has seen by
    // then is enough to take the loose queen.
    clock.step = 60;
    Session session(Services(inline_), "1");
    session.Handle("setoption name Level value Master");
    session.Handle("position fen 4k3/8/8/3q4/8/8/3R4/4K3 w - - 0 1");
    session.Handle("go movetime 200");
    EXPECT_EQ(out.BestMove(), "d2d5");
    EXPECT_LT(clock.reads, 10);
}

TEST_F(SessionTest, UcinewgameGoesBackToTheStartAndQuitEndsTheSession) {
    Session session(Services(inline_), "1");
    session.Handle("position startpos moves e2e4");
    session.Handle("ucinewgame");
    EXPECT_EQ(Placement(session), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w");
    EXPECT_TRUE(session.Handle("ponderhit"));
    EXPECT_TRUE(session.Handle("debug on"));
    EXPECT_TRUE(session.Handle("nonsense"));
    EXPECT_TRUE(out.Has("info string unknown command: nonsense"));
    EXPECT_FALSE(session.Handle("quit"));
}

// On the program's own worker thread: the search runs while commands are answered.
TEST_F(SessionTest, AnInfiniteSearchAnswersIsreadyAndStopsOnStop) {
    WorkerThread worker;
    Session session(
        SessionServices{
            out, worker,
            [] {
                using namespace std::chrono;
                return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
            },
            PauseBriefly, CountingRandom, kLargestHashMb},
        "1");
    session.Handle("position startpos");
    session.Handle("go infinite");
    session.Handle("isready");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(out.Has("readyok"));
    EXPECT_EQ(out.BestMove(), "") << "no answer may come before stop";
    session.Handle("stop");
    EXPECT_TRUE(LegalThere(session, out.BestMove()));

    // A new go while a search runs ends the old one first: exactly one answer each.
    out.Clear();
    session.Handle("go infinite");
    session.Handle("position startpos moves e2e4");
    session.Handle("go depth 2");
    EXPECT_FALSE(session.Handle("quit"));
    int answers = 0;
    for (const std::string& line : out.Lines()) answers += line.rfind("bestmove", 0) == 0;
    EXPECT_EQ(answers, 2);
}

TEST(InfoLine, ThePvStopsAtTheFirstMoveNotLegalWhereItStands) {
    const engine::Position start = engine::Position::Start(engine::Rules::Standard);
    engine::SearchInfo info;
    info.depth = 3;
    info.seldepth = 5;
    info.mateIn = -2;
    info.nodes = 5000;
    info.pv[0] = engine::ParseMoveText(start, "e2e4");
    engine::Position next = start;
    next.DoMove(info.pv[0]);
    info.pv[1] = engine::ParseMoveText(next, "e7e5");
    info.pv[2] = info.pv[0];  // e2e4 again: no pawn there any more
    info.pvLength = 3;
    EXPECT_EQ(InfoLine(start, info, 250),
              "info depth 3 seldepth 5 score mate -2 nodes 5000 nps 20000 time 250 pv e2e4 e7e5");
    info.mateIn = 0;
    info.scoreCp = -35;
    info.pvLength = 0;
    EXPECT_EQ(InfoLine(start, info, 0),
              "info depth 3 seldepth 5 score cp -35 nodes 5000 nps 0 time 0");
}

}  // namespace
}  // namespace uci
