#include "balance/sumas.h"

#include <cmath>

#include "host/error.h"

namespace prjsumsal {

double sumaFinita(double a, double b) {
  double r = a + b;
  if (!std::isfinite(r)) throw Error(kDesbordamiento);
  return r;
}

double diferenciaFinita(double a, double b) {
  return sumaFinita(a, -b);
}

void Sumas::agregar(const FilaBalance& f) {
  Sumas s = *this;
  const double montos[] = {f.debe,     f.haber,     f.debe_act, f.haber_act,
                           f.varDebe5, f.varHaber6, f.varDebe7, f.varHaber8};
  double* sumas[] = {&s.debe,   &s.haber,  &s.debe_act, &s.haber_act,
                     &s.activo, &s.pasivo, &s.perdidas, &s.ganancias};
  for (int i = 0; i < 8; ++i) *sumas[i] = sumaFinita(*sumas[i], montos[i]);
  *this = s;
}

}  // namespace prjsumsal
