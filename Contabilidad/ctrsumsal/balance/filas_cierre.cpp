#include "balance/filas_cierre.h"

namespace prjsumsal {

std::array<FilaCierre, 3> filasCierre(const Sumas& s) {
  const Cierre resultado = resultadoEjercicio(s);
  const Cierre total = totales(s, resultado);
  return {{
      {"SUMAS", {{{}, {}, {}, {}, s.activo, s.pasivo, s.perdidas, s.ganancias}}},
      {"RESULTADO EJERCICIO",
       {{{},
         {},
         {},
         {},
         resultado.activo,
         resultado.pasivo,
         resultado.perdidas,
         resultado.ganancias}}},
      {"TOTALES",
       {{s.debe, s.haber, s.debe_act, s.haber_act, total.activo, total.pasivo, total.perdidas,
         total.ganancias}}},
  }};
}

}  // namespace prjsumsal
