#include "informes/modelo.h"

#include "balance/cierre.h"

namespace suite::informes {

void ModeloBalance::agregar(const prjsumsal::FilaBalance& f) {
  sumas.agregar(f);
  cuentas.push_back(prjsumsal::renglonCuenta(f));
}

void ModeloBalance::cerrar() {
  auto r = prjsumsal::renglonesCierre(sumas);
  cierres.assign(r.begin(), r.end());
}

}  // namespace suite::informes
