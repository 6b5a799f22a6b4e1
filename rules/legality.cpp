#include "rules/board.h"
#include "rules/legality_count.h"
#include "rules/legality_probe.h"
#include "rules/move_tests.h"
#include "rules/move_text.h"

namespace {

unsigned long long legalityTests = 0;

}  // namespace

namespace rules {

unsigned long long LegalityTestCount() {
    return legalityTests;
}

void CountLegalityTest() {
    ++legalityTests;
}

}  // namespace rules

int Board::IsLegalMove(char* text, int side) {
    rules::CountLegalityTest();
    rules::LowerCaseInPlace(text);
    if (!rules::IsMoveOnBoard(text)) return 0;
    const int from = (text[0] - 'a') + 8 * (text[1] - '1');
    const int to = (text[2] - 'a') + 8 * (text[3] - '1');
    if (from == to) return 0;
    if (!rules::PassesMoveTests(squares, from, to, side)) return 0;

    // Taking a king ends the game, so it is never refused for exposing the taker's own
    // king, and no trial move is made for it. Any other move is tried, which leaves no
    // status stored.
    bool tried = false;
    rules::LegalityProbe probe(squares);
    const bool legal = probe.FinishesLegally(from, to, side == kWhite ? kWhite : kBlack, tried);
    if (tried) cachedStatus = kStatusNotComputed;
    return legal ? 1 : 0;
}

int Board::TryMove(char* text, int side) {
    if (IsLegalMove(text, side) != 1) return 0;
    MovePiece(text);
    return 1;
}
