#pragma once

#include <cstdint>

namespace suite::mayor {

// The ledger counts in whole cents, so that its sums and running balances are exact and do not
// depend on the order of the lines; a document shows them as whole pesos.

// An amount in cents, a half cent away from zero. Raises prjsumsal::Error(kDesbordamiento) for a
// value that is not finite or whose cents do not fit in 64 bits.
std::int64_t centavos(double pesos);

// Cents as whole pesos, a half peso away from zero.
std::int64_t pesos(std::int64_t centavos);

}  // namespace suite::mayor
