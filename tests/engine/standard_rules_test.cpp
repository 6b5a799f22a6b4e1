#include <gtest/gtest.h>

#include <bit>
#include <string>

#include "engine/bitboard.h"
#include "engine/move_text.h"
#include "engine/perft.h"
#include "engine/position.h"
#include "tests/differential/generated_positions.h"
#include "tests/engine/engine_test_support.h"

namespace {

using engine::GameStatus;
using engine::Position;
using engine::Rules;

GameStatus StatusOf(const std::string& fen) {
    return FenPosition(fen).Status();
}

TEST(StandardStatus, MateStalemateAndCheck) {
    Position fools = Position::Start(Rules::Standard);
    Play(fools, "f2f3 e7e5 g2g4");
    EXPECT_EQ(fools.Status(), GameStatus::InPlay);
    Play(fools, "d8h4");
    EXPECT_EQ(fools.Status(), GameStatus::Checkmate);
    EXPECT_TRUE(fools.InCheck());
    EXPECT_EQ(StatusOf("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1"), GameStatus::Stalemate);
    EXPECT_EQ(StatusOf("7k/5K2/8/8/8/8/8/7R b - - 0 1"), GameStatus::Checkmate);
    EXPECT_EQ(StatusOf("7k/8/5K2/8/8/8/8/7R b - - 0 1"), GameStatus::Check);
}

TEST(StandardStatus, FiftyMovesWithoutCaptureOrPawnMove) {
    Position position = FenPosition("4k3/8/8/8/8/8/8/R3K3 w - - 99 80");
    EXPECT_EQ(position.Status(), GameStatus::InPlay);
    Play(position, "a1a2");
    EXPECT_EQ(position.HalfmoveClock(), 100);
    EXPECT_EQ(position.Status(), GameStatus::DrawFiftyMoves);
    position.UndoMove();
    // A capture or a pawn's move starts the count again.
    Position capture = FenPosition("4k3/8/8/8/8/8/r7/R3K3 w - - 99 80");
    Play(capture, "a1a2");
    EXPECT_EQ(capture.HalfmoveClock(), 0);
    EXPECT_EQ(capture.Status(), GameStatus::InPlay);
    // Mate on the hundredth half-move is mate.
    Position mate = FenPosition("7k/8/6K1/8/8/8/8/R7 w - - 99 80");
    Play(mate, "a1a8");
    EXPECT_EQ(mate.Status(), GameStatus::Checkmate);
}

TEST(StandardStatus, ThreefoldRepetition) {
    Position position = Position::Start(Rules::Standard);
    Play(position, "g1f3 g8f6 f3g1 f6g8");
    EXPECT_EQ(position.Status(), GameStatus::InPlay);  // Twice so far.
    EXPECT_TRUE(position.IsRepetition(4));             // Enough inside a search.
    EXPECT_FALSE(position.IsRepetition(0));
    Play(position, "g1f3 g8f6 f3g1");
    EXPECT_EQ(position.Status(), GameStatus::InPlay);
    Play(position, "f6g8");
    EXPECT_EQ(position.Status(), GameStatus::DrawRepetition);
    // The same squares with other castling rights are another position.
    Position rights = Position::Start(Rules::Standard);
    Play(rights, "e2e4 e7e5 e1e2 e8e7 e2e1 e7e8 e1e2 e8e7 e2e1 e7e8");
    EXPECT_EQ(rights.Status(), GameStatus::InPlay);
    Play(rights, "e1e2 e8e7 e2e1 e7e8");
    EXPECT_EQ(rights.Status(), GameStatus::DrawRepetition);
}

TEST(StandardStatus, RepetitionForTheSearch) {
    Position position = Position::Start(Rules::Standard);
    Play(position, "g1f3 g8f6 f3g1");
    EXPECT_FALSE(position.IsRepetition(10));
    Play(position, "f6g8");
    EXPECT_TRUE(position.IsRepetition(4));   // Once, within the search.
    EXPECT_FALSE(position.IsRepetition(3));  // Once, before the search began: not yet.
    // A pawn's move makes every earlier position unreachable.
    Play(position, "e2e4 e7e5 g1f3 g8f6 f3g1 f6g8");
    EXPECT_TRUE(position.IsRepetition(4));
    EXPECT_FALSE(FenPosition(position.Fen()).IsRepetition(100));
    // A null move is no move: nothing repeats across it.
    Position nulls = Position::Start(Rules::Standard);
    Play(nulls, "g1f3");
    nulls.DoNullMove();
    Play(nulls, "f3g1");
    nulls.DoNullMove();
    EXPECT_FALSE(nulls.IsRepetition(10));
}

TEST(StandardStatus, InsufficientMaterial) {
    const char* draws[] = {
        "8/8/3k4/8/8/3K4/8/8 w - - 0 1",      "8/8/3k4/8/8/3K4/8/6N1 w - - 0 1",
        "8/8/3k4/8/8/3K4/8/5b2 w - - 0 1",
        "8/8/3kb3/8/8/3K4/8/5B2 w - - 0 1",  // Bishops on squares of one colour.
        "8/8/3kb3/8/8/3K4/8/3B1B2 w - - 0 1",
    };
    const char* playable[] = {
        "8/8/3k4/8/8/3K4/8/4BB2 w - - 0 1",  // Bishops on both colours.
        "8/8/3k1b2/8/8/3K4/8/5B2 w - - 0 1", "8/8/3k4/8/8/3K4/8/4N1N1 w - - 0 1",
        "8/8/3k4/8/8/3K4/8/5B1n w - - 0 1",  "8/8/3k4/8/8/3K4/7P/8 w - - 0 1",
        "8/8/3k4/8/8/3K4/8/7r w - - 0 1",    "8/8/3k4/8/8/3K4/8/7q w - - 0 1",
    };
    for (const char* fen : draws) EXPECT_EQ(StatusOf(fen), GameStatus::DrawMaterial) << fen;
    for (const char* fen : playable) EXPECT_EQ(StatusOf(fen), GameStatus::InPlay) << fen;
}

TEST(StandardMoves, CastlingWithAllItsConditions) {
    auto castles = [](const std::string& fen, const char* move) {
        return ParseMoveText(FenPosition(fen), move) != engine::kNoMove;
    };
    EXPECT_TRUE(castles("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1"));
    EXPECT_TRUE(castles("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8"));
    EXPECT_FALSE(castles("r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1", "e1g1"));    // No right.
    EXPECT_FALSE(castles("r3k2r/8/8/8/8/8/8/R3KN1R w KQkq - 0 1", "e1g1"));  // Blocked.
    EXPECT_FALSE(castles("r3k2r/8/8/8/8/8/8/RN2K2R w KQkq - 0 1", "e1c1"));  // b1 taken.
    EXPECT_FALSE(castles("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1h1"));
    EXPECT_FALSE(castles("4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1e3"));
    EXPECT_FALSE(castles("r3k2r/8/8/8/8/8/4r3/R3K2R w KQ - 0 1", "e1g1"));  // In check.
    EXPECT_FALSE(castles("r3k2r/8/8/8/8/8/5r2/R3K2R w KQ - 0 1", "e1g1"));  // Through check.
    EXPECT_FALSE(castles("r3k2r/8/8/8/8/8/6r1/R3K2R w KQ - 0 1", "e1g1"));  // Into check.
    EXPECT_TRUE(castles("r3k2r/8/8/8/8/8/1r6/R3K2R w KQ - 0 1", "e1c1"));   // b1 attacked only.
    EXPECT_FALSE(castles("r3k2r/8/8/8/8/8/3r4/R3K2R w KQ - 0 1", "e1c1"));

    // Moving or losing a rook or the king gives up the right.
    Position position = FenPosition("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    Play(position, "h1h8");
    EXPECT_EQ(position.Fen(), "r3k2R/8/8/8/8/8/8/R3K3 b Qq - 0 1");
    Play(position, "e8d7 a1a2");
    EXPECT_EQ(position.CastlingRights(), 0);
    Position castled = FenPosition("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 3 9");
    Play(castled, "e8c8");
    EXPECT_EQ(castled.Fen(), "2kr3r/8/8/8/8/8/8/R3K2R w KQ - 4 10");
    castled.UndoMove();
    EXPECT_EQ(castled.Fen(), "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 3 9");
}

// Check by the rook that castling brings, on either side.
TEST(StandardMoves, CastlingChecksWithTheRookWhereItLands) {
    Position shortSide = FenPosition("5k2/8/8/8/8/8/8/R3K2R w KQ - 0 1");
    EXPECT_TRUE(shortSide.GivesCheck(ParseMoveText(shortSide, "e1g1")));
    EXPECT_FALSE(shortSide.GivesCheck(ParseMoveText(shortSide, "e1c1")));
    Position longSide = FenPosition("3k4/8/8/8/8/8/8/R3K2R w KQ - 0 1");
    EXPECT_TRUE(longSide.GivesCheck(ParseMoveText(longSide, "e1c1")));
    EXPECT_FALSE(longSide.GivesCheck(ParseMoveText(longSide, "e1g1")));
}

TEST(StandardMoves, CaptureInPassing) {
    Position position = FenPosition("4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1");
    Play(position, "e2e4");
    EXPECT_EQ(position.EnPassantSquare(), 20);
    Play(position, "d4e3");
    EXPECT_EQ(position.Fen(), "4k3/8/8/8/8/4p3/8/4K3 w - - 0 2");
    position.UndoMove();
    EXPECT_EQ(position.Fen(), "4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1");
    // Only right after the double step.
    Play(position, "e8d8 e1d1 d8e8");
    EXPECT_EQ(ParseMoveText(position, "d4e3"), engine::kNoMove);
    // Not when taking would uncover the king along the rank, and not when it leaves a check.
    Position pinned = FenPosition("8/8/8/8/k2pP2R/8/8/4K3 b - e3 0 1");
    EXPECT_EQ(ParseMoveText(pinned, "d4e3"), engine::kNoMove);
    Position check = FenPosition("7K/8/8/8/3pP3/8/8/k6R b - e3 0 1");
    EXPECT_EQ(ParseMoveText(check, "d4e3"), engine::kNoMove);
    // But it does answer the check of the pawn itself.
    Position answers = FenPosition("8/8/8/2k5/3pP3/8/8/4K3 b - e3 0 1");
    EXPECT_NE(ParseMoveText(answers, "d4e3"), engine::kNoMove);
}

// Every move of positions from random games, made and taken back, restores the FEN and the
// key; the key kept move by move equals the one worked out from the FEN; GivesCheck and
// IsCapture agree with the move made; the noisy moves are the captures and promotions among
// the legal ones. Under both rule sets.
TEST(StandardMoves, MakeTakeBackCheckAndCaptureAgree) {
    TestRandom random(17);
    int moves = 0;
    for (int game = 0; game < 40; ++game) {
        Position position =
            game % 4 == 0 ? Position::Start(Rules::Classic) : FenPosition(kTestFens[game % 6]);
        for (int ply = 0; ply < 100; ++ply) {
            engine::MoveList legal;
            position.GenerateLegal(legal);
            if (legal.size == 0) break;
            const std::string fen = position.Fen();
            const std::uint64_t key = position.Key();
            engine::MoveList noisy;
            position.GenerateNoisy(noisy);
            int noisyMoves = 0;
            for (const engine::Move move : legal) {
                if (position.IsCapture(move) || engine::KindOf(move) == engine::kPromotionMove) {
                    ASSERT_TRUE(noisy.Contains(move))
                        << engine::MoveToText(position, move) << " " << fen;
                    ++noisyMoves;
                }
            }
            ASSERT_EQ(noisy.size, noisyMoves) << fen;
            for (const engine::Move move : legal) {
                const bool capture = position.IsCapture(move);
                const int pieces = engine::Count(position.Occupied());
                const bool gives = position.GivesCheck(move);
                ASSERT_TRUE(position.IsLegal(move));
                position.DoMove(move);
                ASSERT_EQ(position.InCheck(), gives)
                    << engine::MoveToText(position, move) << " " << fen;
                ASSERT_EQ(engine::Count(position.Occupied()) < pieces, capture) << fen;
                if (position.GetRules() == Rules::Standard) {
                    ASSERT_EQ(FenPosition(position.Fen()).Key(), position.Key()) << position.Fen();
                }
                position.UndoMove();
                ASSERT_EQ(position.Fen(), fen);
                ASSERT_EQ(position.Key(), key);
                ++moves;
            }
            position.DoMove(legal.moves[random.Below(legal.size)]);
        }
    }
    EXPECT_GT(moves, 50000);
}

// A Position made but never set up is an empty board: no moves, and nothing breaks.
TEST(StandardMoves, EmptyPositionHasNoMoves) {
    Position empty;
    engine::MoveList moves;
    empty.GenerateLegal(moves);
    EXPECT_EQ(moves.size, 0);
    empty.GenerateNoisy(moves);
    EXPECT_EQ(moves.size, 0);
    EXPECT_EQ(engine::Perft(empty, 3), 0u);
    EXPECT_EQ(empty.Fen(), "8/8/8/8/8/8/8/8 w - - 0 1");
}

TEST(StandardMoves, NullMovePassesTheTurn) {
    Position position = FenPosition("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
    const std::string fen = position.Fen();
    const std::uint64_t key = position.Key();
    position.DoNullMove();
    EXPECT_EQ(position.Fen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 1 2");
    EXPECT_EQ(position.Key(), FenPosition(position.Fen()).Key());
    EXPECT_EQ(position.LastMove(), engine::kNoMove);
    position.UndoNullMove();
    EXPECT_EQ(position.Fen(), fen);
    EXPECT_EQ(position.Key(), key);
}

// A game longer than the history keeps its recent moves: they can be taken back, and
// repetitions are still found.
TEST(StandardMoves, GamesLongerThanTheHistory) {
    Position position = Position::Start(Rules::Standard);
    for (int ply = 0; ply < Position::kHistoryCapacity + 300; ply += 4) {
        Play(position, "g1f3 g8f6 f3g1 f6g8");
    }
    EXPECT_EQ(position.Status(), GameStatus::DrawFiftyMoves);
    Position repeated = Position::Start(Rules::Classic);
    for (int ply = 0; ply < 3 * Position::kHistoryCapacity; ply += 4) {
        Play(repeated, "g8f6 g1f3 f6g8 f3g1");
    }
    EXPECT_EQ(repeated.UndoablePlies() % 4, 0);
    for (int back = 0; back < 100; ++back) repeated.UndoMove();
    // Past the start of what the history holds, taking back does nothing.
    Position fresh = Position::Start(Rules::Standard);
    fresh.UndoMove();
    fresh.UndoNullMove();
    EXPECT_EQ(fresh.Fen(), Position::Start(Rules::Standard).Fen());
    signed char squares[64];
    signed char start[64];
    repeated.ToClassicBoard(squares);
    Position::Start(Rules::Classic).ToClassicBoard(start);
    EXPECT_EQ(std::string(squares, squares + 64), std::string(start, start + 64));
    EXPECT_EQ(repeated.Key(), Position::Start(Rules::Classic).Key());
}

TEST(Bitboards, TablesAndCountsEqualTheSlowWay) {
    engine::InitAttackTables();
    TestRandom random(41);
    for (int trial = 0; trial < 20000; ++trial) {
        const int square = random.Below(64);
        engine::Bitboard occupied = 0;
        const int pieces = random.Below(24);
        for (int i = 0; i < pieces; ++i) occupied |= engine::SquareBit(random.Below(64));
        ASSERT_EQ(engine::BishopAttacks(square, occupied),
                  engine::SlowBishopAttacks(square, occupied));
        ASSERT_EQ(engine::RookAttacks(square, occupied), engine::SlowRookAttacks(square, occupied));
        ASSERT_EQ(engine::Count(occupied), std::popcount(occupied));
    }
}

}  // namespace
