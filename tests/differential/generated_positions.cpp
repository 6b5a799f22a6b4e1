#include "tests/differential/generated_positions.h"

#include <cstring>

#include "rules/board.h"
#include "rules/legality_probe.h"
#include "tests/reference/reference_board.h"

namespace {

char FileChar(int square) {
    return static_cast<char>('a' + square % 8);
}
char RankChar(int square) {
    return static_cast<char>('1' + square / 8);
}

// Every legal move of side, found with the reference rules so that the positions do not
// depend on the code under test.
std::vector<std::array<char, 5>> LegalMoves(reference::Board& board, int side) {
    std::vector<std::array<char, 5>> moves;
    for (int from = 0; from < 64; ++from) {
        const signed char letter = board.squares[from];
        if (side == 1 ? !(letter >= 'A' && letter <= 'Z') : !(letter >= 'a' && letter <= 'z')) {
            continue;
        }
        for (int to = 0; to < 64; ++to) {
            std::array<char, 5> text = {FileChar(from), RankChar(from), FileChar(to), RankChar(to),
                                        '\0'};
            char copy[5];
            std::memcpy(copy, text.data(), 5);
            if (board.IsLegalMove(copy, side) == 1) moves.push_back(text);
        }
    }
    return moves;
}

void QueenPawnsOnLastRank(reference::Board& board) {
    for (int file = 0; file < 8; ++file) {
        if (board.squares[file] == 'P') board.squares[file] = 'Q';
        if (board.squares[56 + file] == 'p') board.squares[56 + file] = 'q';
    }
}

Squares Snapshot(const reference::Board& board) {
    Squares squares;
    std::memcpy(squares.data(), board.squares, 64);
    return squares;
}

}  // namespace

std::vector<Squares> PlayedPositions(std::uint32_t seed, int games, int maxPlies) {
    std::vector<Squares> positions;
    TestRandom random(seed);
    for (int game = 0; game < games; ++game) {
        reference::Board board;
        int side = 1;
        for (int ply = 0; ply < maxPlies; ++ply) {
            positions.push_back(Snapshot(board));
            const auto moves = LegalMoves(board, side);
            if (moves.empty()) break;
            std::array<char, 5> move = moves[random.Below(static_cast<int>(moves.size()))];
            board.MovePiece(move.data());
            if (random.Below(8) != 0) QueenPawnsOnLastRank(board);
            side = 1 - side;
        }
    }
    return positions;
}

namespace {

constexpr char kPieces[] = "KQRBNPkqrbnp";
// Letters with no geometry of their own, and bytes of neither colour.
constexpr signed char kOdd[] = {'x', 'Z', 'a',  'H', 'o', 'Y', '.', '0',
                                '9', '?', '\0', 1,   -23, -1,  127, '\t'};

signed char AnyLetter(TestRandom& random) {
    return random.Below(6) == 0 ? kOdd[random.Below(sizeof kOdd)]
                                : kPieces[random.Below(sizeof kPieces - 1)];
}

// Pieces anywhere, from a nearly empty board to a crowded one.
Squares ScatteredBoard(TestRandom& random) {
    Squares squares;
    squares.fill(' ');
    const int fill = 2 + random.Below(40);  // Percent of squares occupied.
    for (signed char& square : squares) {
        if (random.Below(100) < fill) square = AnyLetter(random);
    }
    // Most boards get one king a side, some none or several.
    for (const signed char king : {'K', 'k'}) {
        for (signed char& square : squares) {
            if (square == king && random.Below(3) != 0) square = ' ';
        }
        const int kings = random.Below(10) < 7 ? 1 : random.Below(4);
        for (int k = 0; k < kings; ++k) squares[random.Below(64)] = king;
    }
    return squares;
}

// A king near the edge boxed in by a few enemy pieces, and the other king anywhere: one
// side or both often cannot move, with or without check.
Squares EndingBoard(TestRandom& random) {
    static constexpr char kWhiteBox[] = "QRRBNPKx";
    static constexpr char kBlackBox[] = "qrrbnpkx";
    Squares squares;
    squares.fill(' ');
    const int victim = random.Below(2);
    const int edgeFile = random.Below(2) == 0 ? random.Below(2) * 7 : random.Below(8);
    const int edgeRank = random.Below(2) * 7;
    const int victimKing =
        random.Below(2) == 0 ? edgeFile + 8 * edgeRank : edgeRank / 7 * 7 + 8 * edgeFile;
    squares[victimKing] = victim == 1 ? 'K' : 'k';
    squares[random.Below(64)] = victim == 1 ? 'k' : 'K';
    const int boxers = 1 + random.Below(4);
    for (int i = 0; i < boxers; ++i) {
        const int file = victimKing % 8 + random.Below(7) - 3;
        const int rank = victimKing / 8 + random.Below(7) - 3;
        if (file < 0 || file > 7 || rank < 0 || rank > 7) continue;
        if (squares[file + 8 * rank] != ' ') continue;
        const char* box = victim == 1 ? kBlackBox : kWhiteBox;
        squares[file + 8 * rank] = random.Below(5) == 0 ? AnyLetter(random) : box[random.Below(8)];
    }
    if (random.Below(6) == 0) squares[random.Below(64)] = ' ';
    return squares;
}

// One colour crowding the board, the other nearly or wholly absent: sides that cannot move
// although their king is not attacked, and sides without any piece at all.
Squares CrowdedBoard(TestRandom& random) {
    static constexpr char kBlack[] = "kqrbnppppxz";
    Squares squares;
    squares.fill(' ');
    const int fill = 50 + random.Below(50);
    for (signed char& square : squares) {
        if (random.Below(100) < fill) {
            square = random.Below(8) == 0 ? kOdd[random.Below(sizeof kOdd)]
                                          : kBlack[random.Below(sizeof kBlack - 1)];
        }
    }
    if (random.Below(2) == 0) squares[random.Below(64)] = 'K';
    if (random.Below(2) == 0) {
        for (signed char& square : squares) {  // The same with the colours exchanged.
            if (square >= 'a' && square <= 'z') {
                square = static_cast<signed char>(square - 'a' + 'A');
            } else if (square >= 'A' && square <= 'Z') {
                square = static_cast<signed char>(square - 'A' + 'a');
            }
        }
    }
    return squares;
}

}  // namespace

std::vector<Squares> OddBoards(std::uint32_t seed, int count) {
    // Boards are drawn until each position status, and both sides unable to move with
    // either side's king attacked or not, has its share: some are rare among random boards. The
    // sorting uses the rules under test, which can only choose which boards are compared, never the
    // outcome.
    constexpr int kBuckets = 11;
    const int share = count / kBuckets + 1;
    int filled[kBuckets] = {};
    std::vector<Squares> boards;
    TestRandom random(seed);
    for (long tries = 0; static_cast<int>(boards.size()) < count; ++tries) {
        const int kind = random.Below(4);
        Squares squares = kind == 0   ? EndingBoard(random)
                          : kind == 1 ? CrowdedBoard(random)
                                      : ScatteredBoard(random);
        // Pawns on the rank where they would be promoted, and on their own back rank.
        if (random.Below(4) == 0) squares[random.Below(8)] = 'P';
        if (random.Below(4) == 0) squares[56 + random.Below(8)] = 'p';
        if (random.Below(6) == 0) squares[56 + random.Below(8)] = 'P';

        Board board;
        std::memcpy(board.squares, squares.data(), 64);
        board.cachedStatus = kStatusNotComputed;
        int bucket = board.GetStatus();
        rules::LegalityProbe probe(squares.data());
        if (!probe.HasLegalMove(0) && !probe.HasLegalMove(1)) {
            bucket = 7 + 2 * probe.InCheck(1) + probe.InCheck(0);
        }
        if (filled[bucket] >= share && tries < 100L * count) continue;
        ++filled[bucket];
        boards.push_back(squares);
    }
    return boards;
}
