#include <gtest/gtest.h>

#include <cstring>

#include "rules/piece_sets.h"
#include "tests/differential/generated_positions.h"
#include "tests/differential/twin_boards.h"

// The rules against their plain transcription: every observable result of every operation,
// on positions from random play and on boards that play never reaches.
namespace {

char FileChar(int square) {
    return static_cast<char>('a' + square % 8);
}
char RankChar(int square) {
    return static_cast<char>('1' + square / 8);
}

// A status other than "not computed", so that a call that clears it shows.
unsigned char SomeStoredStatus(TestRandom& random) {
    return static_cast<unsigned char>(random.Below(7));
}

// Move text for the pair, with letters in either case and sometimes something after the
// four characters, which the operations lower-case as well.
void MakeText(TestRandom& random, int from, int to, char* text) {
    text[0] = FileChar(from);
    text[1] = RankChar(from);
    text[2] = FileChar(to);
    text[3] = RankChar(to);
    text[4] = '\0';
    if (random.Below(4) == 0) text[0] = static_cast<char>(text[0] - 'a' + 'A');
    if (random.Below(4) == 0) text[2] = static_cast<char>(text[2] - 'a' + 'A');
    if (random.Below(8) == 0) std::memcpy(text + 4, "Qx", 3);
}

// Also checks the piece sets that the rules reason with: the targets each piece may move
// to and the attackers of each square, before any trial move, are the moves for which the
// plain legality test answers 1 or goes as far as its trial move (which it shows by
// clearing the stored status).
void CompareMoves(TwinBoards& twins, const Squares& squares, TestRandom& random) {
    rules::SquareSet passing[2][64] = {};
    for (int side = 0; side <= 1; ++side) {
        for (int from = 0; from < 64; ++from) {
            for (int to = 0; to < 64; ++to) {
                const unsigned char status = SomeStoredStatus(random);
                twins.fast.cachedStatus = status;
                twins.plain.cachedStatus = status;
                char fastText[8];
                MakeText(random, from, to, fastText);
                char plainText[8];
                std::memcpy(plainText, fastText, sizeof plainText);
                const int fast = twins.fast.IsLegalMove(fastText, side);
                const int plain = twins.plain.IsLegalMove(plainText, side);
                ASSERT_EQ(fast, plain) << plainText << " side " << side << Describe(squares);
                ASSERT_STREQ(fastText, plainText);
                ASSERT_TRUE(twins.Agree()) << plainText << " side " << side << Describe(squares);
                if (plain == 1 || twins.plain.cachedStatus == kStatusNotComputed) {
                    passing[side][from] |= rules::Bit(to);
                }
            }
        }
    }
    const rules::PieceSets sets = rules::ReadPieceSets(squares.data());
    ASSERT_TRUE(sets == rules::ReadPieceSetsByteByByte(squares.data())) << Describe(squares);
    for (int side = 0; side <= 1; ++side) {
        for (int square = 0; square < 64; ++square) {
            const signed char letter = squares[square];
            const bool ownLetter =
                side == 1 ? (letter >= 'A' && letter <= 'Z') : (letter >= 'a' && letter <= 'z');
            if (ownLetter) {
                ASSERT_EQ(rules::TargetsOf(sets, square, side), passing[side][square])
                    << "targets of " << FileChar(square) << RankChar(square) << Describe(squares);
            }
            if (!ownLetter || letter == ' ') continue;
            // Attackers of a piece of side come from the other side.
            rules::SquareSet attackers = 0;
            for (int from = 0; from < 64; ++from) {
                if (passing[1 - side][from] & rules::Bit(square)) attackers |= rules::Bit(from);
            }
            ASSERT_EQ(rules::AttackersOf(sets, square, 1 - side), attackers)
                << "attackers of " << FileChar(square) << RankChar(square) << Describe(squares);
        }
    }
}

void CompareAttackers(TwinBoards& twins, const Squares& squares, TestRandom& random) {
    for (int square = 0; square < 64; ++square) {
        const unsigned char status = SomeStoredStatus(random);
        twins.fast.cachedStatus = status;
        twins.plain.cachedStatus = status;
        const char file =
            random.Below(4) == 0 ? static_cast<char>('A' + square % 8) : FileChar(square);
        char fastOut[3] = {'x', 'x', 'x'};
        char plainOut[3] = {'x', 'x', 'x'};
        const bool withOut = random.Below(5) != 0;
        const int fast =
            twins.fast.FindAttacker(file, RankChar(square), withOut ? fastOut : nullptr);
        const int plain =
            twins.plain.FindAttacker(file, RankChar(square), withOut ? plainOut : nullptr);
        ASSERT_EQ(fast, plain) << file << RankChar(square) << Describe(squares);
        ASSERT_EQ(std::memcmp(fastOut, plainOut, fast == 1 ? 3 : 1), 0)
            << file << RankChar(square) << Describe(squares);
        ASSERT_TRUE(twins.Agree()) << file << RankChar(square) << Describe(squares);
    }
}

void CompareChecksAndStatus(TwinBoards& twins, const Squares& squares) {
    for (int side = 0; side <= 1; ++side) {
        ASSERT_EQ(twins.fast.IsInCheck(side), twins.plain.IsInCheck(side))
            << "side " << side << Describe(squares);
        ASSERT_TRUE(twins.Agree());
    }
    twins.fast.cachedStatus = kStatusNotComputed;
    twins.plain.cachedStatus = kStatusNotComputed;
    ASSERT_EQ(twins.fast.GetStatus(), twins.plain.GetStatus()) << Describe(squares);
    ASSERT_TRUE(twins.Agree()) << Describe(squares);
    ASSERT_EQ(twins.fast.GetStatus(), twins.plain.GetStatus());
}

// Paths, and moves made or refused, with texts both in range and out of it.
void CompareTextOperations(TwinBoards& twins, const Squares& squares, TestRandom& random) {
    static constexpr const char* kOddTexts[] = {"i1a1", "a0a1", "a1a9",    "A1",   "",
                                                "e2",   "E2E2", "h8H1xyz", "`1a1", "a1b3"};
    for (int i = 0; i < 48; ++i) {
        char text[8];
        if (i < 10) {
            std::strcpy(text, kOddTexts[i]);
        } else {
            MakeText(random, random.Below(64), random.Below(64), text);
        }
        char fastText[8];
        char plainText[8];
        std::memcpy(fastText, text, sizeof text);
        std::memcpy(plainText, text, sizeof text);
        ASSERT_EQ(twins.fast.IsPathClear(fastText), twins.plain.IsPathClear(plainText)) << text;
        ASSERT_STREQ(fastText, plainText);
        for (int side = 0; side <= 1; ++side) {
            std::memcpy(fastText, text, sizeof text);
            std::memcpy(plainText, text, sizeof text);
            ASSERT_EQ(twins.fast.TryMove(fastText, side), twins.plain.TryMove(plainText, side))
                << text << Describe(squares);
            ASSERT_STREQ(fastText, plainText);
            ASSERT_TRUE(twins.Agree()) << text << Describe(squares);
        }
        twins.Load(squares, SomeStoredStatus(random));
    }
}

void CompareEverything(const std::vector<Squares>& boards, std::uint32_t seed) {
    TestRandom random(seed);
    TwinBoards twins;
    for (const Squares& squares : boards) {
        twins.Load(squares, SomeStoredStatus(random));
        CompareMoves(twins, squares, random);
        CompareAttackers(twins, squares, random);
        CompareChecksAndStatus(twins, squares);
        CompareTextOperations(twins, squares, random);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(RulesAgainstPlainTranscription, PositionsFromRandomPlay) {
    const auto positions = PlayedPositions(1, 12, 160);
    ASSERT_GT(positions.size(), 1000u);
    CompareEverything(positions, 11);
}

TEST(RulesAgainstPlainTranscription, OddBoards) {
    const auto boards = OddBoards(2, 1500);
    CompareEverything(boards, 12);
}

}  // namespace
