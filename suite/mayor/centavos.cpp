#include "mayor/centavos.h"

#include <cmath>
#include <limits>

#include "host/error.h"

namespace suite::mayor {

std::int64_t centavos(double pesos) {
  constexpr std::int64_t kMaximo = std::numeric_limits<std::int64_t>::max();
  if (!std::isfinite(pesos)) throw prjsumsal::Error(prjsumsal::kDesbordamiento);
  // The whole part and the fraction are split first: both are exact, and the fraction times
  // 100 stays far from the magnitudes where a double loses the cents.
  double entero = std::trunc(pesos);
  if (std::fabs(entero) >= static_cast<double>(kMaximo / 100)) {
    throw prjsumsal::Error(prjsumsal::kDesbordamiento);
  }
  return static_cast<std::int64_t>(entero) * 100 + std::llround((pesos - entero) * 100);
}

std::int64_t pesos(std::int64_t c) {
  std::int64_t p = c / 100, resto = c % 100;  // the remainder has the sign of c
  if (resto >= 50) ++p;
  if (resto <= -50) --p;
  return p;
}

}  // namespace suite::mayor
