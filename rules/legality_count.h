#pragma once

namespace rules {

// How many legality tests the rules have made in this process: every call of
// Board::IsLegalMove and every move judged on the way to a position status, an attacker or
// the computer's list of moves. Lets tests and tools see how much legality work an
// operation really did, for example that a cached position status costs none.
unsigned long long LegalityTestCount();

}  // namespace rules
