#pragma once

#include <string>
#include <vector>

#include "balance/fila_balance.h"

namespace prjsumsal {

// The eight running sums of the balance, one per column, added in the order of the rows.
struct Sumas {
  double debe = 0, haber = 0, debe_act = 0, haber_act = 0;
  double activo = 0, pasivo = 0, perdidas = 0, ganancias = 0;

  void agregar(const FilaBalance& fila);
};

// The four right-hand amounts of a closing row ("RESULTADO EJERCICIO" or "TOTALES").
struct Cierre {
  double activo = 0, pasivo = 0, perdidas = 0, ganancias = 0;
};

// The result of the year: each pair's difference on its smaller side, so that the pair
// balances; equal sums give 0 on both sides.
Cierre resultadoEjercicio(const Sumas& s);
// Each column's sum plus its result: total Activo equals total Pasivo, total Perdidas equals
// total Ganancias.
Cierre totales(const Sumas& s, const Cierre& resultado);

// The pairs of columns whose sums, as written in whole units, differ although they must be equal
// (Debitos and Creditos, Deudor and Acreedor): one text per pair naming both sums and their
// difference, such as "Debitos 1.500 y Creditos 1.000, diferencia 500". Journal amounts that
// the database could not read as numbers are the usual cause. Empty when the balance squares.
std::vector<std::string> descuadres(const Sumas& s);

}  // namespace prjsumsal
