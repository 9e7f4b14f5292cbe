#pragma once

#include "balance/filabalance.h"

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

}  // namespace prjsumsal
