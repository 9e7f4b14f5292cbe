#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "balance/consulta.h"
#include "balance/fila_balance.h"
#include "balance/sumas.h"
#include "host/base_datos.h"

namespace suite::mayor {

// The balance's query one year earlier: both days one year back (the 29th of February becomes
// the 28th), the year one less; company, user, scope and book as they are.
prjsumsal::Consulta anioAnterior(const prjsumsal::Consulta& c);

// One account of this year's balance beside last year's.
struct FilaComparada {
  std::string centro;
  std::string n_centro;           // from this year's row, or last year's when it has none this year
  prjsumsal::FilaBalance actual;  // this year's row; all zeros without movement this year
  prjsumsal::FilaBalance anterior;  // the same period of last year; zeros without movement

  // Year-to-date balances in cents, debit positive, credit negative (Deudor - Acreedor), and
  // this year's less last year's.
  std::int64_t saldoActual() const;
  std::int64_t saldoAnterior() const;
  std::int64_t diferencia() const { return saldoActual() - saldoAnterior(); }
};

// This year's balance beside the same period of last year: every account with movement in
// either year, in order of their codes (byte for byte), and the sums of each year.
struct Comparacion {
  prjsumsal::Consulta actual;
  prjsumsal::Consulta anterior;
  std::vector<FilaComparada> filas;
  prjsumsal::Sumas sumasActual;
  prjsumsal::Sumas sumasAnterior;

  // The result of each year in whole pesos, as the balance's RESULTADO EJERCICIO row gives it
  // (prjsumsal::renglonesCierre): a profit positive, placed on the debit side to close, a loss
  // negative.
  std::int64_t resultadoActual() const;
  std::int64_t resultadoAnterior() const;
};

// Runs the balance's own computation (prjsumsal::Calculo) for `c` and for anioAnterior(c), one
// after the other, and puts the two side by side. Memory follows the accounts. Raises the
// computation's prjsumsal::Error.
Comparacion comparar(prjsumsal::BaseDatos& db, const prjsumsal::Consulta& c);

}  // namespace suite::mayor
