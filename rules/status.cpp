#include "rules/board.h"
#include "rules/legality_probe.h"

namespace {

// Both sides can move: only check is left to report, White's first.
int StatusWhenBothCanMove(bool whiteCheck, bool blackCheck) {
    if (whiteCheck) return WhiteInCheck;
    if (blackCheck) return BlackInCheck;
    return InPlay;
}

// At least one side has no move. Stalemate is tested before checkmate, White before Black.
int StatusWhenStuck(bool whiteCanMove, bool blackCanMove, bool whiteCheck, bool blackCheck) {
    if (!whiteCanMove && !whiteCheck) return WhiteStalemated;
    if (!blackCanMove && !blackCheck) return BlackStalemated;
    if (!whiteCanMove) return WhiteCheckmated;
    return BlackCheckmated;
}

}  // namespace

int Board::GetStatus() {
    if (cachedStatus != kStatusNotComputed) return cachedStatus;

    // A missing king counts as attacked. Only whether each side has some legal move
    // decides the code, never how many or which one is met first.
    rules::LegalityProbe probe(squares);
    const bool whiteCheck = probe.InCheck(kWhite);
    const bool blackCheck = probe.InCheck(kBlack);
    const bool whiteCanMove = probe.HasLegalMove(kWhite);
    const bool blackCanMove = probe.HasLegalMove(kBlack);

    const int status = whiteCanMove && blackCanMove
                           ? StatusWhenBothCanMove(whiteCheck, blackCheck)
                           : StatusWhenStuck(whiteCanMove, blackCanMove, whiteCheck, blackCheck);
    cachedStatus = static_cast<unsigned char>(status);
    return status;
}
