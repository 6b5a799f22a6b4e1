#include <gtest/gtest.h>

#include <string>

#include "engine/position.h"
#include "tests/differential/generated_positions.h"
#include "tests/engine/engine_test_support.h"

namespace {

using engine::Position;

TEST(Fen, WrittenAsReadForPositionsOfEveryKind) {
    const char* fens[] = {
        "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2",
        "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
        "r3k2r/8/8/8/8/8/8/R3K2R b Kq - 37 112",
        "8/8/8/3k4/8/8/8/4K3 w - - 0 1",
        "4k3/8/8/8/8/8/8/4K2R w K - 99 60",
    };
    for (const char* fen : fens) EXPECT_EQ(FenPosition(fen).Fen(), fen);
    for (const char* fen : kTestFens) EXPECT_EQ(FenPosition(fen).Fen(), fen);
    // The clocks may be left out; they then start at 0 and 1.
    EXPECT_EQ(FenPosition("8/8/8/3k4/8/8/8/4K3 b - -").Fen(), "8/8/8/3k4/8/8/8/4K3 b - - 0 1");
    EXPECT_EQ(FenPosition("  8/8/8/3k4/8/8/8/4K3\tb - -  ").Fen(), "8/8/8/3k4/8/8/8/4K3 b - - 0 1");
}

// Along random games from the test positions, the FEN read back gives the same position and the
// same key as the moves made: the key kept up move by move equals the one worked out afresh.
TEST(Fen, ReadBackAlongRandomGamesWithTheSameKey) {
    TestRandom random(5);
    int positions = 0;
    for (const char* start : kTestFens) {
        for (int game = 0; game < 20; ++game) {
            Position position = FenPosition(start);
            for (int ply = 0; ply < 80; ++ply) {
                Position reread;
                std::string error;
                ASSERT_TRUE(reread.SetFen(position.Fen(), &error)) << position.Fen() << error;
                ASSERT_EQ(reread.Fen(), position.Fen());
                ASSERT_EQ(reread.Key(), position.Key()) << position.Fen();
                ++positions;
                engine::MoveList moves;
                position.GenerateLegal(moves);
                if (moves.size == 0) break;
                position.DoMove(moves.moves[random.Below(moves.size)]);
            }
        }
    }
    EXPECT_GT(positions, 5000);
}

// An en passant square that no pawn can use changes nothing that can happen, so the key is
// that of the position without it (repetitions are found through it).
TEST(Fen, UselessEnPassantSquareLeavesTheKey) {
    EXPECT_EQ(FenPosition("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1").Key(),
              FenPosition("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1").Key());
    EXPECT_NE(FenPosition("rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1").Key(),
              FenPosition("rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1").Key());
}

TEST(Fen, MalformedOrImpossiblePositionsAreRefusedWithAReason) {
    struct Refusal {
        const char* fen;
        const char* reason;  // A word the message must hold.
    };
    const Refusal refusals[] = {
        {"", "four fields"},
        {"8/8/8/8/8/8/8/8 w -", "four fields"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1 extra", "six"},
        {"4k3/8/8/8/8/8/8/4K3/8 w - - 0 1", "ranks"},
        {"4k3/8/8/8/8/8/4K3 w - - 0 1", "8 ranks"},
        {"4k3/9/8/8/8/8/8/4K3 w - - 0 1", "'9'"},
        {"4k3/ppppppppp/8/8/8/8/8/4K3 w - - 0 1", "more than 8"},
        {"4k3/7/8/8/8/8/8/4K3 w - - 0 1", "8 squares"},
        {"4k3/8/8/8/8/8/8/4K3x w - - 0 1", "'x'"},
        {"4k3/8/8/8/8/8/8/4K2K w - - 0 1", "more than one king"},
        {"8/8/8/8/8/8/8/4K3 w - - 0 1", "no king"},
        {"P3k3/8/8/8/8/8/8/4K3 w - - 0 1", "pawn"},
        {"4k3/8/8/8/8/8/8/p3K3 w - - 0 1", "pawn"},
        {"4k3/8/8/8/8/8/8/4K3 x - - 0 1", "side to move"},
        {"4k3/8/8/8/8/8/8/4K3 white - - 0 1", "side to move"},
        {"4k3/8/8/8/8/8/8/4K2R w KK - 0 1", "twice"},
        {"4k3/8/8/8/8/8/8/4K2R w A - 0 1", "KQkq"},
        {"4k3/8/8/8/8/8/8/4K3 w K - 0 1", "castling"},
        {"4k3/8/8/8/8/8/8/3K3R w K - 0 1", "castling"},
        {"4k3/8/8/8/8/8/8/4K3 w - e9 0 1", "en passant"},
        {"4k3/8/8/8/8/8/8/4K3 w - e6 0 1", "double step"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d3 0 1", "double step"},
        {"4k3/8/8/8/8/8/8/4K3 w - - -1 1", "halfmove"},
        {"4k3/8/8/8/8/8/8/4K3 w - - x 1", "halfmove"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 99999999999999999999 1", "halfmove"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 0", "move number"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1x", "move number"},
        {"4k3/8/8/8/8/8/4R3/4K3 w - - 0 1", "not to move is in check"},
    };
    for (const Refusal& refusal : refusals) {
        Position position = Position::Start(engine::Rules::Standard);
        const std::string before = position.Fen();
        std::string error;
        EXPECT_FALSE(position.SetFen(refusal.fen, &error)) << refusal.fen;
        EXPECT_NE(error.find(refusal.reason), std::string::npos)
            << refusal.fen << " gave: " << error;
        EXPECT_EQ(position.Fen(), before) << "a refused FEN changed the position";
        EXPECT_FALSE(position.SetFen(refusal.fen, nullptr));
    }
}

// Bytes changed at random in good FENs: each is refused or read into a position that
// writes a FEN that reads back the same. Nothing crashes.
TEST(Fen, DamagedTextIsRefusedOrReadConsistently) {
    static constexpr char kBytes[] = "pnbrqkPNBRQK12345678/ wb-KQkqeh36x0\t\xff";
    TestRandom random(31);
    int accepted = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        std::string fen = kTestFens[random.Below(6)];
        const int changes = 1 + random.Below(3);
        for (int c = 0; c < changes; ++c) {
            const int at = random.Below(static_cast<int>(fen.size()));
            switch (random.Below(3)) {
                case 0:
                    fen[at] = kBytes[random.Below(sizeof kBytes - 1)];
                    break;
                case 1:
                    fen.erase(at, 1);
                    break;
                default:
                    fen.insert(fen.begin() + at, kBytes[random.Below(sizeof kBytes - 1)]);
            }
        }
        Position position;
        std::string error;
        if (!position.SetFen(fen, &error)) {
            EXPECT_FALSE(error.empty()) << fen;
            continue;
        }
        ++accepted;
        Position again;
        ASSERT_TRUE(again.SetFen(position.Fen(), &error)) << fen << " -> " << position.Fen();
        EXPECT_EQ(again.Fen(), position.Fen());
        engine::MoveList moves;
        position.GenerateLegal(moves);  // Must not trip over whatever was accepted.
    }
    EXPECT_GT(accepted, 100);
}

}  // namespace
