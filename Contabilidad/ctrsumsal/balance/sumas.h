#pragma once

#include "balance/fila_balance.h"

namespace prjsumsal {

// The eight sums of the balance, one per column: the accounts' amounts added as they come, in
// the order of the rows, as double-precision numbers. Nothing is rounded here; a document rounds
// a sum only when it writes it.
struct Sumas {
  double debe = 0, haber = 0, debe_act = 0, haber_act = 0;
  double activo = 0, pasivo = 0, perdidas = 0, ganancias = 0;

  // Adds the account's eight amounts. Raises Error(kDesbordamiento) when a sum stops being a
  // finite number (an overflow, or an amount that was none); the sums are then unchanged.
  void agregar(const FilaBalance& fila);
};

// `a` + `b` or `a` - `b`; raises Error(kDesbordamiento) when the result is not finite.
double sumaFinita(double a, double b);
double diferenciaFinita(double a, double b);

}  // namespace prjsumsal
