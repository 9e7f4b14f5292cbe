#include "balance/sumas.h"

namespace prjsumsal {

void Sumas::agregar(const FilaBalance& f) {
  debe += f.debe;
  haber += f.haber;
  debe_act += f.debe_act;
  haber_act += f.haber_act;
  activo += f.varDebe5;
  pasivo += f.varHaber6;
  perdidas += f.varDebe7;
  ganancias += f.varHaber8;
}

Cierre resultadoEjercicio(const Sumas& s) {
  Cierre r;
  if (s.activo > s.pasivo) {
    r.pasivo = s.activo - s.pasivo;
  } else {
    r.activo = s.pasivo - s.activo;
  }
  if (s.perdidas > s.ganancias) {
    r.ganancias = s.perdidas - s.ganancias;
  } else {
    r.perdidas = s.ganancias - s.perdidas;
  }
  return r;
}

Cierre totales(const Sumas& s, const Cierre& r) {
  return {s.activo + r.activo, s.pasivo + r.pasivo, s.perdidas + r.perdidas,
          s.ganancias + r.ganancias};
}

}  // namespace prjsumsal
