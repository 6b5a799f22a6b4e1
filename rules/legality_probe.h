#pragma once

#include "rules/piece_sets.h"

// The legality of moves in one unchanging position, worked out on its piece sets: what the
// rules find by making a trial move and looking for an attacker of the king, found here
// without touching the squares. Sides are 0 (Black) and 1 (White).
namespace rules {

class LegalityProbe {
  public:
    explicit LegalityProbe(const signed char* squares);

    const PieceSets& Sets() const { return sets; }

    // The last square in the order a1, b1, ..., h8 holding side's king letter, or -1.
    int KingSquare(int side) const;
    // Whether the check test reports side in check: its king attacked, or no king at all.
    bool InCheck(int side);

    // For a move that passed every move test: taking a king is legal without a trial
    // move; any other move makes one (tried becomes true) and is legal when it leaves
    // side's king unattacked.
    bool FinishesLegally(int from, int to, int side, bool& tried);

    // The first square in the order a1, a2, ..., a8, b1, ..., h8 whose piece of
    // attackerSide may legally move onto target, or -1. target holds a letter of the other
    // colour. tried becomes true when the test of some attacker makes a trial move.
    int FirstLegalAttacker(int target, int attackerSide, bool& tried);

    bool HasLegalMove(int side);

  private:
    bool KingSafeAfter(int from, int to, int side);

    PieceSets sets;
    signed char inCheck[2] = {-1, -1};  // -1 until worked out.
};

}  // namespace rules
