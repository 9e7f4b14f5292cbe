#pragma once

#include <cstdint>

#include "balance/fila_balance.h"

namespace prjsumsal {

// The eight sums of the balance, one per column, held exactly in cents. Each account's amount
// counts to the cent (a half cent away from zero) and the cents are added as integers, so the
// sums do not depend on the order of the rows, two pairs that must be equal are equal to the
// cent when the journal squares, and every document that adds the same rows gets the same sums.
struct Sumas {
  std::int64_t debe = 0, haber = 0, debe_act = 0, haber_act = 0;
  std::int64_t activo = 0, pasivo = 0, perdidas = 0, ganancias = 0;

  // Adds the account's eight amounts. Raises Error(kDesbordamiento) for an amount that is not a
  // finite number or a sum past 9.2 × 10^16 pesos (64 bits of cents); the sums are then
  // unchanged.
  void agregar(const FilaBalance& fila);
};

// An amount in cents, a half cent away from zero. Raises Error(kDesbordamiento) for a value
// that is not finite or whose cents do not fit in 64 bits.
std::int64_t centavos(double pesos);

// Cents as whole pesos, a half peso away from zero: the figure a document shows.
std::int64_t pesos(std::int64_t centavos);

}  // namespace prjsumsal
