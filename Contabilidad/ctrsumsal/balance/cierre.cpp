#include "balance/cierre.h"

#include <cmath>

#include "balance/formato.h"
#include "host/error.h"

namespace prjsumsal {

namespace {

// A pair's result of the year: its difference on the smaller side, 0 on the other.
void resultado(std::optional<double>& izquierda, std::optional<double>& derecha, double a,
               double b) {
  izquierda = a > b ? 0.0 : diferenciaFinita(b, a);
  derecha = a > b ? diferenciaFinita(a, b) : 0.0;
}

struct Par {
  const char* izquierda;
  double a;
  const char* derecha;
  double b;
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
  sumas[4] = s.activo;
  sumas[5] = s.pasivo;
  sumas[6] = s.perdidas;
  sumas[7] = s.ganancias;
  auto& res = r[1].montos;
  resultado(res[4], res[5], s.activo, s.pasivo);
  resultado(res[6], res[7], s.perdidas, s.ganancias);
  auto& tot = r[2].montos;
  tot[0] = s.debe;
  tot[1] = s.haber;
  tot[2] = s.debe_act;
  tot[3] = s.haber_act;
  for (std::size_t i = 4; i < 8; ++i) tot[i] = sumaFinita(*sumas[i], *res[i]);
  return r;
}

std::string lineaCuadre(const Sumas& s) {
  const Par pares[] = {{"Debitos", s.debe, "Creditos", s.haber},
                       {"Deudor", s.debe_act, "Acreedor", s.haber_act}};
  std::string diferencias;
  for (const Par& p : pares) {
    double a = pesosEnteros(p.a), b = pesosEnteros(p.b);
    if (a == b) continue;
    if (!diferencias.empty()) diferencias += "; ";
    diferencias += std::string(a > b ? p.izquierda : p.derecha) + " supera a " +
                   (a > b ? p.derecha : p.izquierda);
    // Two sums of opposite signs near the largest double differ by more than a double holds;
    // the pair is still named.
    double d = std::fabs(a - b);
    if (std::isfinite(d)) diferencias += " en " + formatoMiles(d, ".");
  }
  return diferencias.empty() ? "Cuadra" : "El balance no cuadra: " + diferencias;
}

bool cuadra(const Sumas& s) {
  return pesosEnteros(s.debe) == pesosEnteros(s.haber) &&
         pesosEnteros(s.debe_act) == pesosEnteros(s.haber_act);
}

void agregarParaCuadre(std::optional<Sumas>& sumas, const FilaBalance& fila) {
  if (!sumas) return;
  try {
    sumas->agregar(fila);
  } catch (const Error&) {
    sumas.reset();
  }
}

}  // namespace prjsumsal
