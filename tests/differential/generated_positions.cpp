#include "tests/differential/generated_positions.h"

#include <cstring>

#include "tests/reference/reference_board.h"

namespace {

char FileChar(int square) { return static_cast<char>('a' + square % 8); }
char RankChar(int square) { return static_cast<char>('1' + square / 8); }

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

std::vector<Squares> OddBoards(std::uint32_t seed, int count) {
    static constexpr char kPieces[] = "KQRBNPkqrbnp";
    // Letters with no geometry of their own, and bytes of neither colour.
    static constexpr signed char kOdd[] = {'x', 'Z', 'a', 'H', 'o', 'Y', '.', '0',
                                           '9', '?', '\0', 1, -23, -1, 127, '\t'};
    std::vector<Squares> boards;
    TestRandom random(seed);
    for (int i = 0; i < count; ++i) {
        Squares squares;
        squares.fill(' ');
        const int fill = 2 + random.Below(40);  // Percent of squares occupied.
        for (signed char& square : squares) {
            if (random.Below(100) >= fill) continue;
            square = random.Below(6) == 0 ? kOdd[random.Below(sizeof kOdd)]
                                          : kPieces[random.Below(sizeof kPieces - 1)];
        }
        // Most boards get one king a side, some none or several.
        for (const signed char king : {'K', 'k'}) {
            for (signed char& square : squares) {
                if (square == king && random.Below(3) != 0) square = ' ';
            }
            const int kings = random.Below(10) < 7 ? 1 : random.Below(4);
            for (int k = 0; k < kings; ++k) squares[random.Below(64)] = king;
        }
        // Pawns on the rank where they would be promoted, and on their own back rank.
        if (random.Below(4) == 0) squares[random.Below(8)] = 'P';
        if (random.Below(4) == 0) squares[56 + random.Below(8)] = 'p';
        if (random.Below(6) == 0) squares[56 + random.Below(8)] = 'P';
        boards.push_back(squares);
    }
    return boards;
}
