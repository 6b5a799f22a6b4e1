#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/move_text.h"
#include "engine/position.h"
#include "game/chess_game.h"
#include "tests/differential/generated_positions.h"
#include "tests/engine/classic_twin.h"
#include "tests/game/saved_game_files.h"

// The engine under the game's rules against the game's own Board, position by position: the
// legal moves of both sides, check, and the status code. The positions come from random games
// played by the engine (each move also made on a Board, and taken back), from boards that play
// never reaches, and from saved games with strange contents.
namespace {

using classic_twin::SameAsBoard;
using classic_twin::Show;
using engine::Position;
using engine::Side;

#ifndef KESTRION_ENGINE_DIFFERENTIAL_POSITIONS
#define KESTRION_ENGINE_DIFFERENTIAL_POSITIONS 1000000
#endif
// A million in the optimised build, in two tests; the sanitizer build compares fewer.
constexpr int kPositions = KESTRION_ENGINE_DIFFERENTIAL_POSITIONS;
// Every so many positions the moves are also compared with a call of Board::IsLegalMove for
// every pair of squares.
constexpr int kSweepEvery = 500;

Squares SquaresOf(const Position& position) {
    Squares squares;
    position.ToClassicBoard(squares.data());
    return squares;
}

// The game's board after a move: a pawn that reaches its last rank becomes a queen. (A pawn
// that a saved game left standing there is the game's to settle, not the move's.)
void MakeGameMove(Board& board, const std::string& text, Side side) {
    char move[5];
    std::memcpy(move, text.c_str(), 5);
    ASSERT_EQ(board.TryMove(move, side == Side::White ? kWhite : kBlack), 1) << move;
    const char pawn = side == Side::White ? 'P' : 'p';
    if (board.GetSquare(move[2], move[3]) == pawn && move[3] == (side == Side::White ? '1' : '8')) {
        board.SetSquare(move[2], move[3], side == Side::White ? 'Q' : 'q');
    }
}

constexpr signed char kOddBytes[] = {'K', 'k',  'P', 'p', 'x', 'Z', '.',
                                     '0', '\0', -23, -1,  127, ' '};

class ClassicDifferential : public ::testing::Test {
  protected:
    // Plays up to plies random legal moves from the board, comparing every position; now and
    // then a square is overwritten with an odd byte, as a loaded game may hold.
    void PlayFrom(const Squares& start, Side toMove, int plies, bool mutate, int limit) {
        Position position = Position::FromClassicBoard(start.data(), toMove);
        Board board;
        std::memcpy(board.squares, start.data(), 64);
        for (int ply = 0; ply <= plies && compared < limit; ++ply) {
            const Squares squares = SquaresOf(position);
            ASSERT_EQ(std::memcmp(squares.data(), board.squares, 64), 0)
                << "the engine's board left the game's" << Show(squares);
            ASSERT_EQ(position.Key(), Position::FromClassicBoard(squares.data(), toMove).Key())
                << Show(squares);
            ASSERT_TRUE(SameAsBoard(squares, position, ++compared % kSweepEvery == 0));

            if (mutate && random.Below(40) == 0) {
                const int square = random.Below(64);
                // Mostly the bytes that matter most, now and then any byte at all.
                const signed char byte = random.Below(4) == 0
                                             ? static_cast<signed char>(random.Below(256))
                                             : kOddBytes[random.Below(sizeof kOddBytes)];
                board.squares[square] = byte;
                Squares changed = squares;
                changed[square] = byte;
                position = Position::FromClassicBoard(changed.data(), toMove);
                continue;
            }
            engine::MoveList moves;
            position.GenerateLegal(moves);
            if (moves.size == 0) return;
            const engine::Move move = moves.moves[random.Below(moves.size)];
            const std::string text = engine::MoveToText(position, move);
            ASSERT_EQ(engine::ParseMoveText(position, text), move) << text;
            // Made, taken back and made again: taking back restores every square and the key.
            const std::uint64_t key = position.Key();
            position.DoMove(move);
            position.UndoMove();
            ASSERT_EQ(position.Key(), key);
            ASSERT_EQ(SquaresOf(position), squares) << text;
            position.DoMove(move);
            MakeGameMove(board, text, toMove);
            toMove = engine::Opponent(toMove);
        }
    }

    TestRandom random{19};
    int compared = 0;
};

// Half of the positions from games out of the start position, now and then with a square
// overwritten, half from boards that play never reaches, each played on for a few dozen moves.
TEST_F(ClassicDifferential, MovesCheckAndStatusEqualTheGameRulesInPlayedGames) {
    Squares start;
    Position::Start(engine::Rules::Classic).ToClassicBoard(start.data());
    Board fresh;
    ASSERT_EQ(std::memcmp(start.data(), fresh.squares, 64), 0) << "not the game's start";
    while (compared < kPositions / 2) {
        PlayFrom(start, Side::White, 400, random.Below(3) == 0, kPositions / 2);
        if (HasFatalFailure()) return;
    }
    EXPECT_GE(compared, kPositions / 2);
}

TEST_F(ClassicDifferential, MovesCheckAndStatusEqualTheGameRulesOnOddBoards) {
    const auto odd = OddBoards(7, kPositions / 200);
    for (int next = 0; compared < kPositions / 2;
         next = (next + 1) % static_cast<int>(odd.size())) {
        PlayFrom(odd[next], random.Below(2) == 0 ? Side::White : Side::Black, 40, true,
                 kPositions / 2);
        if (HasFatalFailure()) return;
    }
    EXPECT_GE(compared, kPositions / 2);
}

// Saved games whose rows hold anything a file can: letters of no piece, punctuation, high
// bytes, missing and extra kings, pawns on their last rank. Each is loaded by the game, then
// played on.
class ClassicSavedGames : public SavedGameFiles {};

TEST_F(ClassicSavedGames, LoadedBoardsWithStrangeContents) {
    static constexpr char kBytes[] = "KQRBNPkqrbnp..........xZa?9#\x80\xE9\xFF\x01";
    TestRandom random(23);
    int compared = 0;
    for (int game = 0; game < 200; ++game) {
        std::string text = random.Below(2) ? "WhoseTurn = White\n" : "WhoseTurn = Black\n";
        text += "WhiteType = Human\nBlackType = Human\n";
        for (int row = 1; row <= 8; ++row) {
            if (random.Below(10) == 0) continue;  // A row missing from the file.
            std::string value;
            const int length = random.Below(10) == 0 ? random.Below(12) : 8;
            for (int i = 0; i < length; ++i) value += kBytes[random.Below(sizeof kBytes - 1)];
            if (value.empty()) value = "........";
            text += "BoardRow" + std::to_string(row) + " = " + value + "\n";
        }
        const std::string path = PathOf("strange.chs");
        WriteFile(path, text);
        ChessGame chess;
        chess.NewGame(Human, Human);
        ASSERT_EQ(chess.LoadGame(path.c_str()), 1);
        Squares squares;
        std::memcpy(squares.data(), chess.board.squares, 64);
        const Side toMove = chess.whoseTurn == 1 ? Side::White : Side::Black;
        Position position = Position::FromClassicBoard(squares.data(), toMove);
        ASSERT_TRUE(SameAsBoard(squares, position, true)) << text;
        ++compared;
        // A few random moves on.
        for (int ply = 0; ply < 30; ++ply) {
            engine::MoveList moves;
            position.GenerateLegal(moves);
            if (moves.size == 0) break;
            position.DoMove(moves.moves[random.Below(moves.size)]);
            position.ToClassicBoard(squares.data());
            ASSERT_TRUE(SameAsBoard(squares, position, false)) << text;
            ++compared;
        }
    }
    EXPECT_GT(compared, 2000);
}

}  // namespace
