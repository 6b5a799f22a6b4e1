#pragma once

// The tests of a move before its trial move, on raw squares (index = file + 8 * rank).
namespace rules {

// Every test of a move before the trial move: the mover is a letter of side, the target
// holds no letter of the mover's colour, the piece's geometry allows the move and every
// square between source and target is empty (knights excepted). from != to. Looks at the
// geometry first and at the squares between last.
bool PassesMoveTests(const signed char* squares, int from, int to, int side);

// Counts one legality test in the process-wide count that LegalityTestCount reports.
void CountLegalityTest();

}  // namespace rules
