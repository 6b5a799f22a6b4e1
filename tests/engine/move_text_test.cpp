#include "engine/move_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/position.h"
#include "tests/differential/generated_positions.h"
#include "tests/engine/engine_test_support.h"

namespace {

using engine::MoveToSan;
using engine::MoveToText;
using engine::ParseMoveText;
using engine::ParseSan;
using engine::Position;
using engine::Rules;

TEST(MoveText, ClassicMovesAreTheGamesFourCharacters) {
    Position position = Position::Start(Rules::Classic);
    const engine::Move pawn = ParseMoveText(position, "e7e5");
    ASSERT_NE(pawn, engine::kNoMove);
    EXPECT_EQ(MoveToText(position, pawn), "e7e5");
    EXPECT_EQ(ParseMoveText(position, "E7E5"), pawn);
    EXPECT_NE(ParseMoveText(position, "b8c6"), engine::kNoMove);
    // Too far, Black's, off the board, not a move.
    for (const char* refused : {"e7e4", "e2e4", "e7e0", "i7i5", "e7", "e7e5e", "", "e7e5  "}) {
        EXPECT_EQ(ParseMoveText(position, refused), engine::kNoMove) << refused;
    }
    // A promotion is four characters: the pawn always becomes a queen.
    signed char squares[64];
    for (signed char& square : squares) square = ' ';
    squares[8] = 'P';   // a2, one step from rank 1.
    squares[63] = 'K';  // h8
    squares[60] = 'k';  // e8
    Position promoting = Position::FromClassicBoard(squares, engine::Side::White);
    const engine::Move promotion = ParseMoveText(promoting, "a2a1");
    ASSERT_NE(promotion, engine::kNoMove);
    EXPECT_EQ(MoveToText(promoting, promotion), "a2a1");
    EXPECT_EQ(ParseMoveText(promoting, "a2a1q"), promotion);
    EXPECT_EQ(ParseMoveText(promoting, "a2a1n"), engine::kNoMove);
    promoting.DoMove(promotion);
    EXPECT_EQ(promoting.LetterOn(0), 'Q');
}

TEST(MoveText, StandardMovesAreLongAlgebraic) {
    Position position = FenPosition("r3k2r/1P6/8/8/8/8/8/R3K2R w KQkq - 0 1");
    for (const char* text : {"e1g1", "e1c1", "b7b8q", "b7a8n", "b7a8r", "a1a8", "h1h8"}) {
        const engine::Move move = ParseMoveText(position, text);
        ASSERT_NE(move, engine::kNoMove) << text;
        EXPECT_EQ(MoveToText(position, move), text);
    }
    EXPECT_EQ(ParseMoveText(position, "B7B8Q"), ParseMoveText(position, "b7b8q"));
    // A promotion names its piece; nothing else may.
    for (const char* refused : {"b7b8", "b7b8k", "b7b8p", "e1g1q", "e1h1", "e1e3"}) {
        EXPECT_EQ(ParseMoveText(position, refused), engine::kNoMove) << refused;
    }
}

TEST(San, FamiliarNotation) {
    struct Case {
        const char* fen;
        const char* text;
        const char* san;
    };
    const Case cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "g1f3", "Nf3"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e2e4", "e4"},
        {"rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2", "e4d5", "exd5"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", "O-O"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1c1", "O-O-O"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "a1a8", "Rxa8+"},
        {"4k3/1P6/8/8/8/8/8/4K3 w - - 0 1", "b7b8q", "b8=Q+"},
        {"4k3/1P6/8/8/8/8/8/4K3 w - - 0 1", "b7b8n", "b8=N"},
        {"rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq - 0 2", "d8h4", "Qh4#"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", "exd6"},
        // Two rooks on one rank, two on one file, three queens.
        {"4k3/8/8/8/8/8/8/R2K3R w - - 0 1", "a1d1", ""},
        {"4k3/8/8/8/8/8/4K3/R6R w - - 0 1", "a1d1", "Rad1"},
        {"4k3/8/R7/8/8/8/8/R3K3 w - - 0 1", "a1a3", "R1a3"},
        {"6k1/8/8/8/Q6Q/8/8/Q3K3 w - - 0 1", "h4e1", ""},
        {"6k1/8/8/8/Q6Q/8/8/Q3K3 w - - 0 1", "a4d1", "Q4d1"},
        {"6k1/8/8/8/Q6Q/8/8/Q3K3 w - - 0 1", "h4e4", "Qhe4"},
        {"6k1/8/8/8/Q6Q/8/8/Q3K3 w - - 0 1", "a4d4", "Qa4d4"},
        {"6k1/8/8/8/Q6Q/8/8/Q3K3 w - - 0 1", "h4h7", "Qh7+"},
    };
    for (const Case& c : cases) {
        Position position = FenPosition(c.fen);
        const engine::Move move = ParseMoveText(position, c.text);
        if (*c.san == '\0') {
            EXPECT_EQ(move, engine::kNoMove) << c.text;  // The case's own check: no such move.
            continue;
        }
        ASSERT_NE(move, engine::kNoMove) << c.fen << " " << c.text;
        EXPECT_EQ(MoveToSan(position, move), c.san) << c.fen;
        EXPECT_EQ(ParseSan(position, c.san), move) << c.san;
    }
}

TEST(San, ReadTolerantlyAndRefusedWhenItNamesNoSingleMove) {
    Position castling = FenPosition("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    EXPECT_EQ(ParseSan(castling, "0-0"), ParseMoveText(castling, "e1g1"));
    EXPECT_EQ(ParseSan(castling, "O-O-O!?"), ParseMoveText(castling, "e1c1"));
    EXPECT_EQ(ParseSan(castling, "0-0-0+"), ParseMoveText(castling, "e1c1"));
    Position passing = FenPosition("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
    EXPECT_EQ(ParseSan(passing, "exd6 e.p."), ParseMoveText(passing, "e5d6"));
    EXPECT_EQ(ParseSan(passing, "exd6e.p.+"), ParseMoveText(passing, "e5d6"));
    Position promoting = FenPosition("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(ParseSan(promoting, "b8Q"), ParseMoveText(promoting, "b7b8q"));
    EXPECT_EQ(ParseSan(promoting, "b8=n"), ParseMoveText(promoting, "b7b8n"));
    EXPECT_EQ(ParseSan(promoting, "b8"), engine::kNoMove);  // Which piece?

    Position start = Position::Start(Rules::Standard);
    EXPECT_EQ(ParseSan(start, "Nf3!"), ParseMoveText(start, "g1f3"));
    EXPECT_EQ(ParseSan(start, "Ng1f3"), ParseMoveText(start, "g1f3"));
    for (const char* refused :
         {"", "Nf4", "e5", "O-O", "Ke2", "Qxd7", "N", "f3N", "exd3", "Pz9", "x"}) {
        EXPECT_EQ(ParseSan(start, refused), engine::kNoMove) << refused;
    }
    Position twoKnights = FenPosition("4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1");
    EXPECT_EQ(ParseSan(twoKnights, "Nd2"), engine::kNoMove);  // Either knight could.
    EXPECT_EQ(ParseSan(twoKnights, "Nbd2"), ParseMoveText(twoKnights, "b1d2"));
}

// Every legal move of positions met in random games: its SAN is its own (no two moves share
// one) and reads back as the same move; its move text likewise.
TEST(San, EveryLegalMoveReadsBackFromItsSanAndText) {
    TestRandom random(3);
    int moves = 0;
    for (const char* start : kTestFens) {
        for (int game = 0; game < 4; ++game) {
            Position position = FenPosition(start);
            for (int ply = 0; ply < 60; ++ply) {
                engine::MoveList legal;
                position.GenerateLegal(legal);
                if (legal.size == 0) break;
                std::set<std::string> seen;
                for (const engine::Move move : legal) {
                    const std::string san = MoveToSan(position, move);
                    ASSERT_TRUE(seen.insert(san).second) << san << " twice in " << position.Fen();
                    ASSERT_EQ(ParseSan(position, san), move) << san << " in " << position.Fen();
                    ASSERT_EQ(ParseMoveText(position, MoveToText(position, move)), move);
                    ++moves;
                }
                position.DoMove(legal.moves[random.Below(legal.size)]);
            }
        }
    }
    EXPECT_GT(moves, 20000);
}

}  // namespace
