#include "balance.h"

#include "balance/calculo.h"
#include "balance/cierre.h"

namespace suite::anfitrion {

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
  b.sumas = calcularBalance(db, c, [&](const Renglon& r) { b.renglones.push_back(r); });
  return b;
}

Sumas calcularBalance(BaseDatos& db, const Consulta& c,
                      const std::function<void(const Renglon&)>& renglon) {
  Sumas sumas;
  Calculo calculo(db, c, Uso::Exportacion);
  for (FilaBalance f; calculo.siguiente(f);) {
    sumas.agregar(f);
    renglon(renglonCuenta(f));
  }
  for (const Renglon& r : renglonesCierre(sumas)) renglon(r);
  return sumas;
}

}  // namespace suite::anfitrion
