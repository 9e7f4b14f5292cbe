#pragma once

#include <cstddef>
#include <ostream>

#include "mayor/comparacion.h"
#include "mayor/mayor.h"

namespace suite::anfitrion {

// Writes the ledger of every account `mayor` yields, line by line as they are read (nothing is
// held), and returns how many accounts it wrote. Amounts are whole pesos (a half away from
// zero); the running balance is debit positive, credit negative.
//
// On a terminal (`terminal`), per account: "Cuenta CODE  NAME", a header line (Fecha, Sub, Doc,
// Número, Debe, Haber, Saldo), "Saldo inicial", one line per journal line (dd/mm/aaaa,
// subsystem, document type, number, debit or credit, running balance), "Sumas del período" under
// Debe and Haber, and "Saldo final deudor" under Debe or "Saldo final acreedor" under Haber;
// a blank line between accounts. Columns have fixed widths, so that the lines go out as they
// come; a figure wider than its column pushes the rest of its line only. Thousands are grouped
// with "." and control characters shown as "?".
//
// Otherwise, tab-separated rows of seven fields, amounts without separators:
//   CUENTA          code  name
//   SALDO INICIAL                                  balance
//   dd/mm/aaaa      sub   doc   number  debit  credit  balance
//   SUMAS                               debit  credit
//   SALDO DEUDOR                        amount            (or SALDO ACREEDOR, amount under credit)
std::size_t escribirMayor(std::ostream& salida, mayor::Mayor& mayor, bool terminal);

// Writes this year's balance beside last year's: code, name, the year-to-date balance at
// --hasta, the balance at the same day of last year, and the difference, each debit positive
// and credit negative; then "RESULTADO EJERCICIO" with the result of each year (a profit
// positive, as the balance closes it on the debit side) and its difference. On a terminal an
// aligned table under a header line (Cuenta, Nombre, "Saldo dd/mm/aaaa" twice, Diferencia);
// otherwise tab-separated rows without a header, amounts without separators.
void escribirComparacion(std::ostream& salida, const mayor::Comparacion& c, bool terminal);

}  // namespace suite::anfitrion
