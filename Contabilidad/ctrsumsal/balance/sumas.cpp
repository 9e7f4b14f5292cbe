#include "balance/sumas.h"

#include <cmath>
#include <limits>

#include "host/error.h"

namespace prjsumsal {

namespace {

constexpr std::int64_t kMaximo = std::numeric_limits<std::int64_t>::max();

std::int64_t sumar(std::int64_t a, std::int64_t b) {
  if ((b > 0 && a > kMaximo - b) || (b < 0 && a < -kMaximo - b)) throw Error(kDesbordamiento);
  return a + b;
}

}  // namespace

std::int64_t centavos(double pesos) {
  if (!std::isfinite(pesos)) throw Error(kDesbordamiento);
  // The whole part and the fraction are split first: both are exact, and the fraction times
  // 100 stays far from the magnitudes where a double loses the cents.
  double entero = std::trunc(pesos);
  if (std::fabs(entero) >= static_cast<double>(kMaximo / 100)) throw Error(kDesbordamiento);
  return static_cast<std::int64_t>(entero) * 100 + std::llround((pesos - entero) * 100);
}

std::int64_t pesos(std::int64_t c) {
  std::int64_t p = c / 100, resto = c % 100;  // the remainder has the sign of c
  if (resto >= 50) ++p;
  if (resto <= -50) --p;
  return p;
}

void Sumas::agregar(const FilaBalance& f) {
  Sumas s = *this;
  const double montos[] = {f.debe,     f.haber,     f.debe_act, f.haber_act,
                           f.varDebe5, f.varHaber6, f.varDebe7, f.varHaber8};
  std::int64_t* sumas[] = {&s.debe,   &s.haber,  &s.debe_act, &s.haber_act,
                           &s.activo, &s.pasivo, &s.perdidas, &s.ganancias};
  for (int i = 0; i < 8; ++i) *sumas[i] = sumar(*sumas[i], centavos(montos[i]));
  *this = s;
}

}  // namespace prjsumsal
