#pragma once

// Integer tables for the search's reductions and pruning, the same on every build: no
// floating point decides anything in the search.
namespace engine {

// How many plies a late quiet move is searched shallower, growing with the depth and the
// move's place in the list (roughly with the product of their logarithms).
int LateMoveReduction(int depth, int moveNumber);

// How many quiet moves a node near the horizon tries before it skips the rest.
int LateMoveLimit(int depth);

// log2(x) in fixed point with 8 fractional bits, for x >= 1.
int FixedLog2(int x);

}  // namespace engine
