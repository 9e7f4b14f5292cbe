#include "balance/cierre.h"

#include <algorithm>

#include "balance/formato.h"

namespace prjsumsal {

namespace {

long double cifra(std::int64_t centavos) {
  return static_cast<long double>(pesos(centavos));
}

// A pair's result of the year: its difference on the smaller side.
void resultado(std::optional<long double>& izquierda, std::optional<long double>& derecha,
               std::int64_t a, std::int64_t b) {
  izquierda = a > b ? 0.0L : cifra(b - a);
  derecha = a > b ? cifra(a - b) : 0.0L;
}

struct Par {
  const char* izquierda;
  std::int64_t a;
  const char* derecha;
  std::int64_t b;
};

}  // namespace

Renglon renglonCuenta(const FilaBalance& f) {
  return {
      f.centro,
      f.n_centro,
      {f.debe, f.haber, f.debe_act, f.haber_act, f.varDebe5, f.varHaber6, f.varDebe7, f.varHaber8}};
}

std::array<Renglon, 3> renglonesCierre(const Sumas& s) {
  std::array<Renglon, 3> r{Renglon{"", "SUMAS", {}}, Renglon{"", "RESULTADO EJERCICIO", {}},
                           Renglon{"", "TOTALES", {}}};
  auto& sumas = r[0].montos;
  sumas[4] = cifra(s.activo);
  sumas[5] = cifra(s.pasivo);
  sumas[6] = cifra(s.perdidas);
  sumas[7] = cifra(s.ganancias);
  auto& res = r[1].montos;
  resultado(res[4], res[5], s.activo, s.pasivo);
  resultado(res[6], res[7], s.perdidas, s.ganancias);
  auto& tot = r[2].montos;
  tot[0] = cifra(s.debe);
  tot[1] = cifra(s.haber);
  tot[2] = cifra(s.debe_act);
  tot[3] = cifra(s.haber_act);
  tot[4] = tot[5] = cifra(std::max(s.activo, s.pasivo));
  tot[6] = tot[7] = cifra(std::max(s.perdidas, s.ganancias));
  return r;
}

std::string lineaCuadre(const Sumas& s) {
  const Par pares[] = {{"Debitos", s.debe, "Creditos", s.haber},
                       {"Deudor", s.debe_act, "Acreedor", s.haber_act}};
  std::string diferencias;
  for (const Par& p : pares) {
    std::int64_t a = pesos(p.a), b = pesos(p.b);
    if (a == b) continue;
    if (!diferencias.empty()) diferencias += "; ";
    diferencias += std::string(a > b ? p.izquierda : p.derecha) + " supera a " +
                   (a > b ? p.derecha : p.izquierda) + " en " +
                   formatoMiles(static_cast<long double>(a > b ? a - b : b - a), ".");
  }
  return diferencias.empty() ? "Cuadra" : "El balance no cuadra: " + diferencias;
}

bool cuadra(const Sumas& s) {
  return pesos(s.debe) == pesos(s.haber) && pesos(s.debe_act) == pesos(s.haber_act);
}

}  // namespace prjsumsal
