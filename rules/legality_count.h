#pragma once

namespace rules {

// How many times Board::IsLegalMove has been called in this process, nested calls
// included. Lets tests and tools see how much legality work an operation really did, for
// example that a cached position status costs none.
unsigned long long LegalityTestCount();

}  // namespace rules
