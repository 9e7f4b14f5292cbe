#include "balance.h"

#include "balance/calculo.h"
#include "balance/sumas.h"

namespace suite {

using namespace prjsumsal;

Consulta consultaDe(const Opciones& o) {
  Consulta c;
  c.empresa = o.empresa;
  c.usuario = o.usuario;
  c.alias = o.alias;
  c.desde = o.desde.iso();
  c.hasta = o.hasta.iso();
  c.anio = o.hasta.anio;
  c.libro = std::to_string(o.norma);
  return c;
}

std::vector<Renglon> calcularBalance(BaseDatos& db, const Consulta& c) {
  std::vector<Renglon> r;
  Sumas s;
  Calculo calculo(db, c, Uso::Exportacion);
  for (FilaBalance f; calculo.siguiente(f);) {
    s.agregar(f);
    r.push_back({f.centro,
                 f.n_centro,
                 {f.debe, f.haber, f.debe_act, f.haber_act, f.varDebe5, f.varHaber6, f.varDebe7,
                  f.varHaber8}});
  }
  Cierre resultado = resultadoEjercicio(s);
  Cierre total = totales(s, resultado);
  constexpr auto _ = std::nullopt;
  r.push_back({"", "SUMAS", {_, _, _, _, s.activo, s.pasivo, s.perdidas, s.ganancias}});
  r.push_back(
      {"",
       "RESULTADO EJERCICIO",
       {_, _, _, _, resultado.activo, resultado.pasivo, resultado.perdidas, resultado.ganancias}});
  r.push_back({"",
               "TOTALES",
               {s.debe, s.haber, s.debe_act, s.haber_act, total.activo, total.pasivo,
                total.perdidas, total.ganancias}});
  return r;
}

}  // namespace suite
