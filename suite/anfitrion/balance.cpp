#include "balance.h"

#include "balance/calculo.h"
#include "balance/cierre.h"

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

BalanceImpreso calcularBalance(BaseDatos& db, const Consulta& c) {
  BalanceImpreso b;
  Calculo calculo(db, c, Uso::Exportacion);
  for (FilaBalance f; calculo.siguiente(f);) {
    b.sumas.agregar(f);
    b.renglones.push_back(renglonCuenta(f));
  }
  for (Renglon& r : renglonesCierre(b.sumas)) b.renglones.push_back(std::move(r));
  return b;
}

}  // namespace suite
