#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/bitboard.h"

// The engine's position: pieces as bitboards beside a board of piece letters, legal move
// generation, making and taking back moves, and the status of the game, under two rule sets.
//
// Classic is the game's own rule set: White starts on ranks 8 and 7 and its pawns move
// towards rank 1; there is no castling and no capture in passing; a pawn reaching its last
// rank becomes a queen; a move that takes a king is legal as soon as the piece can go there,
// and a side without a king counts as in check. A board from a saved game may hold any byte
// on a square: upper-case letters are White, lower-case ones Black, letters that name no
// piece move like queens, and any other byte is a piece of neither side that blocks and can
// be taken. Standard is the rules of chess with castling, capture in passing, promotion to
// any piece, and draws by the fifty-move rule, threefold repetition and insufficient
// material.
namespace engine {

enum class Rules : std::uint8_t { Classic, Standard };
enum class Side : std::uint8_t { White, Black };

constexpr Side Opponent(Side side) {
    return side == Side::White ? Side::Black : Side::White;
}
constexpr int Index(Side side) {
    return static_cast<int>(side);
}

// Kinds of piece. Other is a letter that names no piece (Classic boards from saved games):
// it belongs to the side its case says and moves like a queen.
enum PieceType : std::uint8_t { Pawn, Knight, Bishop, Rook, Queen, King, Other, kPieceTypes };

enum class GameStatus : std::uint8_t {
    InPlay,
    Check,
    Checkmate,
    Stalemate,
    DrawFiftyMoves,
    DrawRepetition,
    DrawMaterial,
};

// A move in 16 bits: from (bits 0-5), to (6-11), promotion piece (12-13: knight, bishop,
// rook, queen) and kind (14-15). Castling is the king's move of two squares. Zero is no move:
// no move leads from a square to itself.
using Move = std::uint16_t;
inline constexpr Move kNoMove = 0;

enum MoveKind : std::uint16_t {
    kNormalMove = 0,
    kPromotionMove = 1,
    kEnPassantMove = 2,
    kCastlingMove = 3,
};

constexpr Move MakeMove(int from, int to, MoveKind kind = kNormalMove,
                        PieceType promotion = Knight) {
    return static_cast<Move>(from | (to << 6) | ((promotion - Knight) << 12) | (kind << 14));
}
constexpr int MoveFrom(Move move) {
    return move & 63;
}
constexpr int MoveTo(Move move) {
    return (move >> 6) & 63;
}
constexpr MoveKind KindOf(Move move) {
    return static_cast<MoveKind>(move >> 14);
}
constexpr PieceType PromotionOf(Move move) {
    return static_cast<PieceType>(((move >> 12) & 3) + Knight);
}

struct MoveList {
    Move moves[256];
    int size = 0;

    void Add(Move move) { moves[size++] = move; }
    const Move* begin() const { return moves; }
    const Move* end() const { return moves + size; }
    bool Contains(Move move) const;
};

// Castling rights, one bit each.
enum CastlingRight : std::uint8_t {
    kWhiteShort = 1,
    kWhiteLong = 2,
    kBlackShort = 4,
    kBlackLong = 8,
};

class Position {
  public:
    // The plies of history a position keeps for taking moves back and finding repetitions.
    // When it is full the oldest half is dropped: those moves can no longer be taken back,
    // which no caller needs, and a repetition never reaches back that far.
    static constexpr int kHistoryCapacity = 1024;

    Position();  // An empty Standard board, White to move.

    static Position Start(Rules rules);
    // The game's board: squares as rules::Board lays them out, bytes as described above.
    static Position FromClassicBoard(const signed char squares[64], Side toMove);
    // Standard positions only. On failure the position is unchanged and error (if given)
    // says what was refused.
    bool SetFen(std::string_view fen, std::string* error);
    // Under Classic rules too, for reading: a byte of neither side is written '?'.
    std::string Fen() const;
    // The board in the game's layout, every byte as it stands.
    void ToClassicBoard(signed char squares[64]) const;

    Rules GetRules() const { return rules_; }
    Side SideToMove() const { return side_; }
    std::uint64_t Key() const { return key_; }
    int HalfmoveClock() const { return halfmove_; }
    int FullmoveNumber() const { return fullmove_; }
    int CastlingRights() const { return castling_; }
    // The square behind a pawn that has just made its double step, or -1.
    int EnPassantSquare() const { return epSquare_; }
    // Moves (null moves included) that can be taken back: those made since the position was
    // set up, or the most recent ones when there were more than the history holds.
    int UndoablePlies() const { return historySize_; }

    // Pieces, for the evaluation and the search.
    char LetterOn(int square) const { return static_cast<char>(board_[square]); }
    // The kind of piece on square, or kPieceTypes when it is empty or holds no side's piece.
    PieceType TypeOn(int square) const;
    // The side of the piece on square; only meaningful where Pieces(side) has it.
    Bitboard Pieces(Side side) const { return byColour_[Index(side)]; }
    Bitboard Pieces(Side side, PieceType type) const {
        return byColour_[Index(side)] & byType_[type];
    }
    Bitboard Pieces(PieceType type) const { return byType_[type]; }
    Bitboard Occupied() const { return occupied_; }
    // The square of side's king (under Classic with several: the last in the order a1, b1,
    // ..., h8, the one the game's check test looks at), or -1 when it has none.
    int KingSquare(Side side) const;
    // Whether side's pawns move towards rank 8: Standard White and Classic Black.
    bool PawnsMoveUp(Side side) const { return pawnsUp_[Index(side)]; }
    // A square's rank counted from side's own back rank, 0 to 7.
    int RelativeRank(Side side, int square) const {
        return pawnsUp_[Index(side)] ? RankOf(square) : 7 - RankOf(square);
    }
    // The pieces of side that attack square, with the given occupancy.
    Bitboard AttackersOf(int square, Side side, Bitboard occupied) const;

    void GenerateLegal(MoveList& moves) const;
    // The legal captures (capture in passing included) and promotions, for the quiescence
    // search: the moves of GenerateLegal that IsCapture or promote, in less time.
    void GenerateNoisy(MoveList& moves) const;
    // Whether the side to move's king is attacked (or missing, under Classic).
    bool InCheck() const;
    bool IsLegal(Move move) const;
    bool IsCapture(Move move) const;
    bool GivesCheck(Move move) const;

    // The move must be legal here. Under Classic rules a pawn that reaches its last rank
    // becomes a queen; a pawn that a saved game left standing there is the game's to settle.
    // Taking back with nothing to take back does nothing.
    void DoMove(Move move);
    void UndoMove();
    void DoNullMove();
    void UndoNullMove();
    // The last move made, or kNoMove (also after a null move).
    Move LastMove() const;

    GameStatus Status() const;
    // The status code of rules::Board::GetStatus for this board, 0 to 6, for both sides at
    // once whoever is to move.
    int ClassicStatus() const;
    // For the search: the present position met before since the last irreversible move,
    // once within the last plyFromRoot plies or twice in all. Always false under Classic.
    bool IsRepetition(int plyFromRoot) const;
    bool HasInsufficientMaterial() const;

    // Legal moves and check for either side, whoever is to move: the game's status asks it.
    void GenerateLegalFor(Side side, MoveList& moves) const;
    bool InCheck(Side side) const;

  private:
    struct Undo {
        std::uint64_t key;
        Move move;
        signed char captured;
        std::uint8_t castling;
        std::int8_t epSquare;
        std::uint16_t halfmove;
    };

    void Clear(Rules rules);
    void Put(int square, signed char letter);
    void Remove(int square);
    void MovePieceBits(int from, int to);
    std::uint64_t ComputeKey() const;
    std::uint64_t EnPassantKey() const;
    void PushHistory(const Undo& undo);

    template <bool kLegalOnly, bool kNoisyOnly>
    void Generate(Side side, MoveList& moves) const;
    void GenerateClassicByTrial(Side side, MoveList& moves, bool noisyOnly) const;
    bool ClassicKingSafeAfter(Side side, Move move) const;
    bool RegularForClassicGeneration(Side side) const;
    bool CanCaptureEnPassant() const;
    std::string ValidateStandard() const;

    signed char board_[64];
    Bitboard byType_[kPieceTypes];
    Bitboard byColour_[2];
    Bitboard occupied_;
    std::uint64_t key_;
    Rules rules_;
    Side side_;
    bool pawnsUp_[2];
    std::uint8_t castling_;
    std::int8_t epSquare_;
    std::uint16_t halfmove_;
    int fullmove_;
    int historySize_;
    Undo history_[kHistoryCapacity];
};

}  // namespace engine
