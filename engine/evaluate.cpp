#include "engine/evaluate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

#include "engine/bitboard.h"
#include "engine/position.h"

namespace engine {

namespace {

using K = EvalBoard::Kind;

constexpr int kFullPhase = 24;

constexpr Bitboard FileMask(int file) {
    return kFileA << file;
}

constexpr Bitboard AdjacentFiles(int file) {
    return (file > 0 ? FileMask(file - 1) : 0) | (file < 7 ? FileMask(file + 1) : 0);
}

// The ranks strictly beyond `rank` in the direction of travel.
constexpr Bitboard RanksAhead(int rank, bool up) {
    if (up) {
        return rank >= 7 ? 0 : ~Bitboard{0} << (8 * (rank + 1));
    }
    return rank <= 0 ? 0 : ~Bitboard{0} >> (8 * (8 - rank));
}

int RelativeRank(int square, bool up) {
    return up ? square / 8 : 7 - square / 8;
}

int Distance(int a, int b) {
    return std::max(std::abs(a % 8 - b % 8), std::abs(a / 8 - b / 8));
}

int ManhattanFromCentre(int square) {
    const int file = square % 8;
    const int rank = square / 8;
    return (file < 4 ? 3 - file : file - 4) + (rank < 4 ? 3 - rank : rank - 4);
}

// Population count by bit arithmetic: a baseline x86-64 build has no instruction for it, and
// the library call costs more than these few operations.
int Bits(Bitboard b) {
    b = b - ((b >> 1) & 0x5555555555555555ull);
    b = (b & 0x3333333333333333ull) + ((b >> 2) & 0x3333333333333333ull);
    b = (b + (b >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((b * 0x0101010101010101ull) >> 56);
}

Bitboard PawnSetAttacks(Bitboard pawns, bool up) {
    if (up) {
        return ((pawns & ~kFileA) << 7) | ((pawns & ~kFileH) << 9);
    }
    return ((pawns & ~kFileA) >> 9) | ((pawns & ~kFileH) >> 7);
}

// Each square's index in the square tables, for pawns moving down the board and up it.
constexpr auto kTableSquareOf = [] {
    std::array<std::array<std::uint8_t, 64>, 2> index{};
    for (int square = 0; square < 64; ++square) {
        index[0][square] = static_cast<std::uint8_t>(TableSquare(7 - square / 8, square % 8));
        index[1][square] = static_cast<std::uint8_t>(TableSquare(square / 8, square % 8));
    }
    return index;
}();

struct Scores {
    int mg = 0;
    int eg = 0;
    void Add(const EvalParams& p, Term t, int times = 1) {
        mg += p.Mg(t) * times;
        eg += p.Eg(t) * times;
    }
};

constexpr Term kPassedTerms[8] = {Term::Count,       Term::PassedRank2, Term::PassedRank3,
                                  Term::PassedRank4, Term::PassedRank5, Term::PassedRank6,
                                  Term::PassedRank7, Term::Count};

class SideEvaluator {
  public:
    SideEvaluator(const EvalBoard& board, const EvalParams& params, int side)
        : b_(board),
          p_(params),
          us_(side),
          them_(1 - side),
          up_(side == 0 ? board.whiteMovesUp : !board.whiteMovesUp) {
        for (int s = 0; s < 2; ++s) {
            for (int k = 0; k < K::kKinds; ++k) {
                all_[s] |= board.pieces[s][k];
            }
        }
        occupied_ = all_[0] | all_[1];
        ourPawns_ = board.pieces[us_][K::kPawn];
        theirPawns_ = board.pieces[them_][K::kPawn];
        theirPawnAttacks_ = PawnSetAttacks(theirPawns_, !up_);
        const Bitboard theirKing = board.pieces[them_][K::kKing];
        if (theirKing != 0) {
            theirKingSquare_ = std::countr_zero(theirKing);
            theirKingZone_ = KingAttacks(theirKingSquare_) | theirKing;
        }
        const Bitboard ourKing = board.pieces[us_][K::kKing];
        if (ourKing != 0) {
            ourKingSquare_ = std::countr_zero(ourKing);
        }
    }

    // The terms that need only this side's view of the board; they also gather every
    // square this side attacks.
    void RunOwnTerms() {
        Material();
        PassedPawnsAndKings();
        Pieces();
        King();
        s_.mg += pawnScores_.mg;
        s_.eg += pawnScores_.eg;
    }

    // The terms of the pawns alone: the same for every position with these pawns, so a
    // cache may hold them.
    void PawnStructure() {
        const Bitboard ourPawnAttacks = PawnSetAttacks(ourPawns_, up_);
        Scores& s = pawnScores_;
        for (int file = 0; file < 8; ++file) {
            const int onFile = Bits(ourPawns_ & FileMask(file));
            if (onFile > 1) {
                s.Add(p_, Term::DoubledPawn, onFile - 1);
            }
        }
        Bitboard pawns = ourPawns_;
        while (pawns != 0) {
            const int square = PopLowest(pawns);
            const int file = square % 8;
            const int rank = RelativeRank(square, up_);
            AddSquare(s, K::kPawn, square);
            if ((ourPawns_ & AdjacentFiles(file)) == 0) {
                s.Add(p_, Term::IsolatedPawn);
            }
            if ((ourPawnAttacks >> square) & 1) {
                s.Add(p_, Term::SupportedPawn);
            }
            const Bitboard ahead = RanksAhead(square / 8, up_);
            const Bitboard span = ahead & (FileMask(file) | AdjacentFiles(file));
            if ((theirPawns_ & span) == 0 && (ourPawns_ & ahead & FileMask(file)) == 0 &&
                kPassedTerms[rank] != Term::Count) {
                s.Add(p_, kPassedTerms[rank]);
                passed_ |= SquareBit(square);
            }
        }
    }

    void SetPawnStructure(int mg, int eg, Bitboard passed) {
        pawnScores_.mg = mg;
        pawnScores_.eg = eg;
        passed_ = passed;
    }
    int PawnMg() const { return pawnScores_.mg; }
    int PawnEg() const { return pawnScores_.eg; }
    Bitboard Passed() const { return passed_; }

    // The terms that weigh this side's attacks against the other side's defence.
    Scores RunThreats(const SideEvaluator& other) {
        const Bitboard defended = other.attacks_;
        // A piece the other side leaves where we attack it and nothing of theirs guards it.
        const Bitboard theirPieces = all_[them_] & ~theirPawns_ & ~b_.pieces[them_][K::kKing];
        s_.Add(p_, Term::HangingPiece, Bits(theirPieces & attacks_ & ~defended));
        KingDanger(defended);
        PassedPaths(defended);
        return s_;
    }

  private:
    // The pawns' squares count with their structure, which the cache keeps; the other
    // pieces' as each is seen.
    void AddSquare(Scores& s, int kind, int square) const {
        const int* pair = p_.SquarePair(kind, kTableSquareOf[up_][square]);
        s.mg += pair[0];
        s.eg += pair[1];
    }

    void AddMobility(int kind, int count) {
        const int* pair = p_.MobilityPair(kind, count);
        s_.mg += pair[0];
        s_.eg += pair[1];
    }

    void Material() {
        s_.Add(p_, Term::PawnValue, Bits(ourPawns_));
        s_.Add(p_, Term::KnightValue, Bits(b_.pieces[us_][K::kKnight]));
        s_.Add(p_, Term::BishopValue, Bits(b_.pieces[us_][K::kBishop]));
        s_.Add(p_, Term::RookValue, Bits(b_.pieces[us_][K::kRook]));
        s_.Add(p_, Term::QueenValue, Bits(b_.pieces[us_][K::kQueen]));
        if (Bits(b_.pieces[us_][K::kBishop]) >= 2) {
            s_.Add(p_, Term::BishopPair);
        }
        if (b_.sideToMove == us_) {
            s_.Add(p_, Term::Tempo);
        }
        const Bitboard ourPawnAttacks = PawnSetAttacks(ourPawns_, up_);
        const Bitboard theirPieces = all_[them_] & ~theirPawns_ & ~b_.pieces[them_][K::kKing];
        s_.Add(p_, Term::PawnThreat, Bits(ourPawnAttacks & theirPieces));
    }

    // What the rest of the board adds to each passed pawn: a piece in its way, the kings'
    // distances from the square in front of it.
    void PassedPawnsAndKings() {
        Bitboard passed = passed_;
        while (passed != 0) {
            const int square = PopLowest(passed);
            const int stop = up_ ? square + 8 : square - 8;
            if ((occupied_ >> stop) & 1) {
                s_.Add(p_, Term::PassedBlocked);
            }
            if (ourKingSquare_ >= 0) {
                s_.Add(p_, Term::PassedOwnKing, Distance(ourKingSquare_, stop));
            }
            if (theirKingSquare_ >= 0) {
                s_.Add(p_, Term::PassedEnemyKing, Distance(theirKingSquare_, stop));
            }
        }
    }

    void Pieces() {
        const Bitboard notOurs = ~all_[us_];
        const Bitboard safe = notOurs & ~theirPawnAttacks_;
        auto kingZone = [&](Bitboard attacked, Term weight) {
            attacks_ |= attacked;
            const int hits = Bits(attacked & theirKingZone_);
            if (hits > 0) {
                ++zoneAttackers_;
                zoneUnits_ += hits * p_.Mg(weight);
            }
        };
        const Bitboard theirMajors = b_.pieces[them_][K::kRook] | b_.pieces[them_][K::kQueen];
        const Bitboard theirQueens = b_.pieces[them_][K::kQueen];
        const Bitboard ourPawnAttacks = PawnSetAttacks(ourPawns_, up_);
        Bitboard knights = b_.pieces[us_][K::kKnight];
        while (knights != 0) {
            const int square = PopLowest(knights);
            const Bitboard attacked = KnightAttacks(square);
            AddSquare(s_, K::kKnight, square);
            s_.Add(p_, Term::MinorThreat, Bits(attacked & theirMajors));
            // A knight on the far half, held by a pawn, that no enemy pawn can chase away.
            const int rank = RelativeRank(square, up_);
            const int file = square % 8;
            if (rank >= 3 && rank <= 5 && ((ourPawnAttacks >> square) & 1) &&
                (theirPawns_ & AdjacentFiles(file) & RanksAhead(square / 8, up_)) == 0) {
                s_.Add(p_, Term::KnightOutpost);
            }
            AddMobility(0, Bits(attacked & safe));
            knightAttacks_ |= attacked;
            kingZone(attacked, Term::KingZoneKnight);
        }
        Bitboard bishops = b_.pieces[us_][K::kBishop];
        while (bishops != 0) {
            const int square = PopLowest(bishops);
            const Bitboard attacked = BishopAttacks(square, occupied_);
            AddSquare(s_, K::kBishop, square);
            s_.Add(p_, Term::MinorThreat, Bits(attacked & theirMajors));
            AddMobility(1, Bits(attacked & safe));
            bishopAttacks_ |= attacked;
            kingZone(attacked, Term::KingZoneBishop);
        }
        Bitboard rooks = b_.pieces[us_][K::kRook];
        while (rooks != 0) {
            const int square = PopLowest(rooks);
            const Bitboard attacked = RookAttacks(square, occupied_);
            AddSquare(s_, K::kRook, square);
            s_.Add(p_, Term::RookThreat, Bits(attacked & theirQueens));
            const Bitboard file = FileMask(square % 8);
            if ((ourPawns_ & file) == 0) {
                s_.Add(p_, (theirPawns_ & file) == 0 ? Term::RookOpenFile : Term::RookHalfOpenFile);
            }
            if (RelativeRank(square, up_) == 6) {
                s_.Add(p_, Term::RookSeventh);
            }
            AddMobility(2, Bits(attacked & safe));
            rookAttacks_ |= attacked;
            kingZone(attacked, Term::KingZoneRook);
        }
        Bitboard queens = b_.pieces[us_][K::kQueen];
        while (queens != 0) {
            const int square = PopLowest(queens);
            const Bitboard attacked = QueenAttacks(square, occupied_);
            AddSquare(s_, K::kQueen, square);
            AddMobility(3, Bits(attacked & safe));
            queenAttacks_ |= attacked;
            kingZone(attacked, Term::KingZoneQueen);
        }
        attacks_ |= ourPawnAttacks;
        if (ourKingSquare_ >= 0) {
            attacks_ |= KingAttacks(ourKingSquare_);
        }
    }

    void KingDanger(Bitboard defended) {
        if (theirKingSquare_ < 0) {
            return;
        }
        // Squares from which a piece of ours could give check where the other side could
        // not take it: each is a threat the defence must keep answering.
        const Bitboard safe = ~all_[us_] & ~defended;
        const Bitboard diagonal = BishopAttacks(theirKingSquare_, occupied_);
        const Bitboard straight = RookAttacks(theirKingSquare_, occupied_);
        const int checks = Bits(KnightAttacks(theirKingSquare_) & knightAttacks_ & safe) +
                           Bits(diagonal & bishopAttacks_ & safe) +
                           Bits(straight & rookAttacks_ & safe) +
                           Bits((diagonal | straight) & queenAttacks_ & safe);
        const int units = zoneUnits_ + checks * p_.Mg(Term::KingSafeCheck);
        // One piece near the king is no attack; two or more are (or one with a safe check),
        // and the danger grows faster than the number of squares they hit.
        if (zoneAttackers_ + (checks > 0 ? 1 : 0) >= 2) {
            s_.mg += std::min(units * units, 2500) * p_.Mg(Term::KingDanger) / 128;
        }
    }

    // A passed pawn whose way to the last rank is empty and out of the other side's reach
    // runs on its own, the more so the further it has come.
    void PassedPaths(Bitboard defended) {
        Bitboard passed = passed_;
        while (passed != 0) {
            const int square = PopLowest(passed);
            const Bitboard path = RanksAhead(square / 8, up_) & FileMask(square % 8);
            if ((path & (occupied_ | defended)) == 0) {
                s_.Add(p_, Term::PassedFreePath, RelativeRank(square, up_) - 1);
            }
        }
    }

    void King() {
        if (ourKingSquare_ < 0) {
            return;
        }
        const int square = ourKingSquare_;
        const int file = square % 8;
        AddSquare(s_, K::kKing, square);
        const Bitboard files = FileMask(file) | AdjacentFiles(file);
        const Bitboard ahead = RanksAhead(square / 8, up_);
        const Bitboard nearAhead = ahead & ~RanksAhead(up_ ? square / 8 + 2 : square / 8 - 2, up_);
        s_.Add(p_, Term::KingShieldPawn, Bits(ourPawns_ & files & nearAhead));
        if ((ourPawns_ & FileMask(file)) == 0) {
            s_.Add(p_, Term::KingOpenFile);
        }
    }

    const EvalBoard& b_;
    const EvalParams& p_;
    const int us_;
    const int them_;
    const bool up_;
    Bitboard all_[2] = {0, 0};
    Bitboard occupied_ = 0;
    Bitboard ourPawns_ = 0;
    Bitboard theirPawns_ = 0;
    Bitboard theirPawnAttacks_ = 0;
    Bitboard theirKingZone_ = 0;
    int theirKingSquare_ = -1;
    int ourKingSquare_ = -1;
    // Filled as the pieces are seen.
    Bitboard attacks_ = 0;
    Bitboard knightAttacks_ = 0;
    Bitboard bishopAttacks_ = 0;
    Bitboard rookAttacks_ = 0;
    Bitboard queenAttacks_ = 0;
    Bitboard passed_ = 0;
    Scores pawnScores_;
    int zoneAttackers_ = 0;
    int zoneUnits_ = 0;
    Scores s_;
};

int NonPawnMaterial(const EvalBoard& board, int side) {
    return 3 * Bits(board.pieces[side][K::kKnight]) + 3 * Bits(board.pieces[side][K::kBishop]) +
           5 * Bits(board.pieces[side][K::kRook]) + 9 * Bits(board.pieces[side][K::kQueen]);
}

// Without pawns, a side a minor piece or less ahead seldom wins: shrink the score.
int ScaleDrawish(const EvalBoard& board, int score) {
    const int strong = score > 0 ? 0 : 1;
    if (board.pieces[strong][K::kPawn] != 0) {
        return score;
    }
    const int lead = NonPawnMaterial(board, strong) - NonPawnMaterial(board, 1 - strong);
    if (lead <= 3) {
        return score / 8;
    }
    return score;
}

// Against a bare king, drive it to the edge and bring the own king close, so that the
// search finds the mate instead of wandering.
int MopUp(const EvalBoard& board, int score) {
    const int strong = score > 0 ? 0 : 1;
    const int weak = 1 - strong;
    const Bitboard weakKing = board.pieces[weak][K::kKing];
    const Bitboard strongKing = board.pieces[strong][K::kKing];
    if (weakKing == 0 || strongKing == 0) {
        return score;
    }
    for (int k = 0; k < K::kKing; ++k) {
        if (board.pieces[weak][k] != 0) {
            return score;
        }
    }
    if (NonPawnMaterial(board, strong) < 5) {
        return score;
    }
    const int weakSquare = std::countr_zero(weakKing);
    const int strongSquare = std::countr_zero(strongKing);
    const int bonus = 20 * ManhattanFromCentre(weakSquare) +
                      10 * (14 - (std::abs(weakSquare % 8 - strongSquare % 8) +
                                  std::abs(weakSquare / 8 - strongSquare / 8)));
    return strong == 0 ? score + bonus : score - bonus;
}

}  // namespace

int GamePhase(const EvalBoard& board) {
    int phase = 0;
    for (int side = 0; side < 2; ++side) {
        phase += Bits(board.pieces[side][K::kKnight]) + Bits(board.pieces[side][K::kBishop]) +
                 2 * Bits(board.pieces[side][K::kRook]) + 4 * Bits(board.pieces[side][K::kQueen]);
    }
    return std::min(phase, kFullPhase);
}

PawnCache::Entry& PawnCache::Slot(Bitboard whitePawns, Bitboard blackPawns) {
    const std::uint64_t mixed = whitePawns * 0x9E3779B97F4A7C15ull ^
                                (blackPawns + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
    return entries_[(mixed ^ (mixed >> 29)) & (kEntries - 1)];
}

void PawnCache::Clear() {
    std::fill(entries_, entries_ + kEntries, Entry{});
}

int EvaluateBoard(const EvalBoard& board, const EvalParams& params, PawnCache* cache) {
    SideEvaluator whiteSide(board, params, 0);
    SideEvaluator blackSide(board, params, 1);
    const Bitboard whitePawns = board.pieces[0][K::kPawn];
    const Bitboard blackPawns = board.pieces[1][K::kPawn];
    PawnCache::Entry* entry = cache != nullptr ? &cache->Slot(whitePawns, blackPawns) : nullptr;
    if (entry != nullptr && entry->valid && entry->pawns[0] == whitePawns &&
        entry->pawns[1] == blackPawns && entry->whiteMovesUp == board.whiteMovesUp) {
        whiteSide.SetPawnStructure(entry->mg[0], entry->eg[0], entry->passed[0]);
        blackSide.SetPawnStructure(entry->mg[1], entry->eg[1], entry->passed[1]);
    } else {
        whiteSide.PawnStructure();
        blackSide.PawnStructure();
        if (entry != nullptr) {
            *entry = {{whitePawns, blackPawns},
                      board.whiteMovesUp,
                      true,
                      {whiteSide.PawnMg(), blackSide.PawnMg()},
                      {whiteSide.PawnEg(), blackSide.PawnEg()},
                      {whiteSide.Passed(), blackSide.Passed()}};
        }
    }
    whiteSide.RunOwnTerms();
    blackSide.RunOwnTerms();
    const Scores white = whiteSide.RunThreats(blackSide);
    const Scores black = blackSide.RunThreats(whiteSide);
    const int phase = GamePhase(board);
    const int mg = white.mg - black.mg;
    const int eg = white.eg - black.eg;
    int score = (mg * phase + eg * (kFullPhase - phase)) / kFullPhase;
    score = ScaleDrawish(board, score);
    score = MopUp(board, score);
    return board.sideToMove == 0 ? score : -score;
}

EvalBoard ReadEvalBoard(const Position& position) {
    EvalBoard board;
    for (int side = 0; side < 2; ++side) {
        for (int kind = 0; kind < K::kKinds; ++kind) {
            board.pieces[side][kind] =
                position.Pieces(static_cast<Side>(side), static_cast<PieceType>(kind));
        }
    }
    board.whiteMovesUp = position.PawnsMoveUp(Side::White);
    board.sideToMove = Index(position.SideToMove());
    return board;
}

int Evaluate(const Position& position, const EvalParams& params, PawnCache* cache) {
    return EvaluateBoard(ReadEvalBoard(position), params, cache);
}

int Evaluate(const Position& position) {
    return Evaluate(position, DefaultEvalParams());
}

}  // namespace engine
