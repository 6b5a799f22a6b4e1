// The evaluation: the same position seen from either side or either orientation scores the
// same, and its terms point the right way.
#include <gtest/gtest.h>

#include <cctype>
#include <initializer_list>
#include <string>
#include <utility>

#include "engine/evaluate.h"
#include "engine/search_tables.h"
#include "tests/engine/search_test_support.h"

namespace {

using engine::Evaluate;
using engine::Position;
using search_test::FromFen;

// The position with the board turned over and the colours swapped: the same game for the
// other side.
std::string ColourFlipped(const std::string& fen) {
    std::string placement = fen.substr(0, fen.find(' '));
    std::string rest = fen.substr(fen.find(' ') + 1);
    std::string ranks[8];
    int r = 0;
    for (char c : placement) {
        if (c == '/') {
            ++r;
        } else {
            ranks[r] += static_cast<char>(std::isupper(static_cast<unsigned char>(c))
                                              ? std::tolower(static_cast<unsigned char>(c))
                                              : std::toupper(static_cast<unsigned char>(c)));
        }
    }
    std::string flipped;
    for (int i = 7; i >= 0; --i) {
        flipped += ranks[i];
        if (i > 0) flipped += '/';
    }
    const char side = rest[0] == 'w' ? 'b' : 'w';
    return flipped + ' ' + side + " - - 0 1";
}

// The same position under the game's rules, turned so that White moves down the board.
Position TurnedToClassic(const Position& standard) {
    signed char squares[64];
    for (int square = 0; square < 64; ++square) {
        squares[square ^ 56] = static_cast<signed char>(standard.LetterOn(square));
    }
    return Position::FromClassicBoard(squares, standard.SideToMove());
}

const char* kFens[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b - - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "6k1/1P3pp1/7p/8/3R4/6P1/2r2PKP/8 b - - 0 40",
    "4k3/8/8/8/8/8/8/4K2R w - - 0 1",
};

TEST(Evaluation, SymmetricBetweenColoursAndOrientations) {
    for (const char* fen : kFens) {
        const Position position = FromFen(fen);
        const int score = Evaluate(position);
        EXPECT_EQ(score, Evaluate(FromFen(ColourFlipped(fen).c_str()))) << fen;
        EXPECT_EQ(score, Evaluate(TurnedToClassic(position))) << fen;
    }
    EXPECT_EQ(Evaluate(Position::Start(engine::Rules::Classic)),
              Evaluate(Position::Start(engine::Rules::Standard)));
}

TEST(Evaluation, TermsPointTheRightWay) {
    // More material is better.
    EXPECT_GT(Evaluate(FromFen("4k3/8/8/8/8/8/PPP5/4K3 w - - 0 1")),
              Evaluate(FromFen("4k3/8/8/8/8/8/PP6/4K3 w - - 0 1")));
    // A passed pawn far up the board is worth more than one at home.
    EXPECT_GT(Evaluate(FromFen("4k3/P7/8/8/8/8/8/4K3 w - - 0 1")),
              Evaluate(FromFen("4k3/8/8/8/8/8/P7/4K3 w - - 0 1")));
    // Doubled, isolated pawns are worse than two connected ones.
    EXPECT_LT(Evaluate(FromFen("4k3/pp6/8/8/8/2P5/2P5/4K3 w - - 0 1")),
              Evaluate(FromFen("4k3/pp6/8/8/8/8/2PP4/4K3 w - - 0 1")));
    // The bishop pair beats bishop and knight.
    EXPECT_GT(Evaluate(FromFen("4k3/pppppppp/8/8/8/8/PPPPPPPP/2B1KB2 w - - 0 1")),
              Evaluate(FromFen("4k3/pppppppp/8/8/8/8/PPPPPPPP/2B1KN2 w - - 0 1")));
    // A knight in the centre beats one in the corner.
    EXPECT_GT(Evaluate(FromFen("4k3/pppppppp/8/8/3N4/8/PPPPPPPP/4K3 w - - 0 1")),
              Evaluate(FromFen("4k3/pppppppp/8/8/8/8/PPPPPPPP/N3K3 w - - 0 1")));
    // Against a bare king, the king driven to the corner is the better position.
    EXPECT_GT(Evaluate(FromFen("k7/8/2K5/8/8/8/8/7R w - - 0 1")),
              Evaluate(FromFen("8/8/8/3k4/8/8/8/K6R w - - 0 1")));
    // A king with its pawns in front of it is safer in the middle game.
    EXPECT_GT(Evaluate(FromFen("r2q1rk1/ppp2ppp/8/8/8/8/PPP2PPP/R2Q1RK1 w - - 0 1")),
              Evaluate(FromFen("r2q1rk1/ppp2ppp/8/8/8/8/PPPPP3/R2Q1RK1 w - - 0 1")));
    // Kings and pawns alone, or a bare minor piece: nothing to win with.
    EXPECT_LT(std::abs(Evaluate(FromFen("4k3/8/8/8/8/8/8/3NK3 w - - 0 1"))), 60);
}

// The evaluation with every weight zero but the given ones: it then counts those terms'
// cases (times 64, whatever the phase, when both halves of a weight are 64).
int WithOnly(const char* fen, std::initializer_list<std::pair<engine::Term, int>> weights) {
    engine::EvalParams params{};
    for (const auto& [term, value] : weights) {
        params.values[2 * static_cast<int>(term)] = value;
        params.values[2 * static_cast<int>(term) + 1] = value;
    }
    return Evaluate(FromFen(fen), params);
}

TEST(Evaluation, SquareTablesCountRanksFromEachSideAndFoldTheWings) {
    engine::EvalParams params{};
    // A knight on its third rank, c- or f-file (with a pawn each, so that no draw is scaled).
    const int cell =
        2 * (engine::EvalBoard::kKnight * engine::kTableSquares + engine::TableSquare(2, 2));
    params.squares[cell] = 64;
    params.squares[cell + 1] = 64;
    EXPECT_EQ(Evaluate(FromFen("4k3/p7/8/8/8/2N5/P7/4K3 w - - 0 1"), params), 64);
    EXPECT_EQ(Evaluate(FromFen("4k3/p7/8/8/8/5N2/P7/4K3 w - - 0 1"), params), 64);
    EXPECT_EQ(Evaluate(FromFen("4k3/p7/8/8/8/8/P1N5/4K3 w - - 0 1"), params), 0);
    // Black's third rank is the sixth.
    EXPECT_EQ(Evaluate(FromFen("4k3/p7/5n2/8/8/8/P7/4K3 w - - 0 1"), params), -64);
    EXPECT_EQ(Evaluate(FromFen("4k3/p7/8/8/8/5n2/P7/4K3 w - - 0 1"), params), 0);
    // A pawn's table comes through the pawn cache too.
    engine::EvalParams pawns{};
    pawns.squares[2 * engine::TableSquare(3, 0)] = 64;
    pawns.squares[2 * engine::TableSquare(3, 0) + 1] = 64;
    engine::PawnCache cache;
    const Position position = FromFen("4k3/8/8/8/P7/8/8/4K3 w - - 0 1");
    EXPECT_EQ(Evaluate(position, pawns, &cache), 64);
    EXPECT_EQ(Evaluate(position, pawns, &cache), 64);
}

TEST(Evaluation, HangingPiecesAreThoseNothingGuards) {
    using engine::Term;
    // The knight on e5 under the rook's eye, guarded by nothing.
    EXPECT_EQ(WithOnly("4k3/p7/8/4n3/8/8/P7/4R1K1 w - - 0 1", {{Term::HangingPiece, 64}}), 64);
    // Guarded by a pawn, or by its king.
    EXPECT_EQ(WithOnly("4k3/p7/3p4/4n3/8/8/P7/4R1K1 w - - 0 1", {{Term::HangingPiece, 64}}), 0);
    EXPECT_EQ(WithOnly("4k3/p3n3/8/8/8/8/P7/4R1K1 w - - 0 1", {{Term::HangingPiece, 64}}), 0);
    // Not attacked at all: the rook's file is shut by a pawn.
    EXPECT_EQ(WithOnly("4k3/p7/8/4n3/4P3/8/P7/4R1K1 w - - 0 1", {{Term::HangingPiece, 64}}), 0);
    // A pawn is not a piece here; the side to move's own loose knight counts against it.
    EXPECT_EQ(WithOnly("4k3/p7/8/4p3/8/8/P7/4R1K1 w - - 0 1", {{Term::HangingPiece, 64}}), 0);
    EXPECT_EQ(WithOnly("4k3/p7/8/4n3/8/8/P7/4R1K1 b - - 0 1", {{Term::HangingPiece, 64}}), -64);
}

TEST(Evaluation, PassedPawnWithAFreePathCountsItsRank) {
    using engine::Term;
    // e6 is the fifth step from White's home rank: four steps up from the second.
    EXPECT_EQ(WithOnly("k7/8/4P3/8/8/8/8/K7 w - - 0 1", {{Term::PassedFreePath, 64}}), 4 * 64);
    // The king guards e7, or a piece stands in the way: the path is not free.
    EXPECT_EQ(WithOnly("3k4/8/4P3/8/8/8/8/K7 w - - 0 1", {{Term::PassedFreePath, 64}}), 0);
    EXPECT_EQ(WithOnly("k3n3/8/4P3/8/8/8/8/K7 w - - 0 1", {{Term::PassedFreePath, 64}}), 0);
    // The same for Black, whose pawns run the other way.
    EXPECT_EQ(WithOnly("k7/8/8/8/8/4p3/8/K7 b - - 0 1", {{Term::PassedFreePath, 64}}), 4 * 64);
}

TEST(Evaluation, SafeCheckJoinsAnAttackOnTheKing) {
    using engine::Term;
    const std::initializer_list<std::pair<engine::Term, int>> weights = {{Term::KingSafeCheck, 5},
                                                                         {Term::KingDanger, 128}};
    // The queen bears on h7 and the knight can check from f6, where nothing can take it.
    EXPECT_GT(WithOnly("6k1/5p1p/6p1/7Q/4N3/8/PPP5/1K6 w - - 0 1", weights), 0);
    // With e7 guarding f6, the queen alone is no attack.
    EXPECT_EQ(WithOnly("6k1/4pp1p/6p1/7Q/4N3/8/PPP5/1K6 w - - 0 1", weights), 0);
}

TEST(Evaluation, OddClassicBoardsScore) {
    // No kings, neutral bytes and pieces of no kind must all give a number, not a crash.
    signed char squares[64];
    for (int i = 0; i < 64; ++i) squares[i] = ' ';
    squares[3] = 'X';
    squares[12] = '#';
    squares[20] = 'p';
    squares[63] = 'P';
    const Position position = Position::FromClassicBoard(squares, engine::Side::White);
    const int score = Evaluate(position);
    EXPECT_GT(score, -5000);
    EXPECT_LT(score, 5000);
}

TEST(SearchTables, ReductionsGrowWithDepthAndMoveNumber) {
    EXPECT_EQ(engine::FixedLog2(1), 0);
    EXPECT_EQ(engine::FixedLog2(2), 256);
    EXPECT_EQ(engine::FixedLog2(64), 6 * 256);
    // log2(3) = 1.58496: 405.75 in eighths of bits, truncated.
    EXPECT_EQ(engine::FixedLog2(3), 405);
    for (int depth = 1; depth < 63; ++depth) {
        for (int move = 1; move < 63; ++move) {
            const int r = engine::LateMoveReduction(depth, move);
            EXPECT_LE(r, engine::LateMoveReduction(depth + 1, move));
            EXPECT_LE(r, engine::LateMoveReduction(depth, move + 1));
        }
    }
    EXPECT_EQ(engine::LateMoveReduction(1, 1), 0);
    EXPECT_GE(engine::LateMoveReduction(20, 40), 3);
    EXPECT_LE(engine::LateMoveReduction(63, 63), 8);
}

}  // namespace
