#include "balance/sumas.h"

#include "balance/formato.h"

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

std::vector<std::string> descuadres(const Sumas& s) {
  struct Par {
    const char *izquierda, *derecha;
    double a, b;
  };
  const Par pares[] = {{"Debitos", "Creditos", s.debe, s.haber},
                       {"Deudor", "Acreedor", s.debe_act, s.haber_act}};
  std::vector<std::string> r;
  for (const Par& p : pares) {
    // Compared as written: amounts go out rounded to whole units.
    std::string a = formatoCero(p.a), b = formatoCero(p.b);
    if (a == b) continue;
    r.push_back(std::string(p.izquierda) + " " + formatoMiles(std::stod(a), ".") + " y " +
                p.derecha + " " + formatoMiles(std::stod(b), ".") + ", diferencia " +
                formatoMiles(std::stod(a) - std::stod(b), "."));
  }
  return r;
}

}  // namespace prjsumsal
