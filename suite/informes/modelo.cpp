#include "informes/modelo.h"

namespace suite::informes {

namespace {

RenglonInforme renglonCierre(const char* etiqueta) {
  RenglonInforme r;
  r.nombre = QString::fromUtf8(etiqueta);
  return r;
}

void derecha(RenglonInforme& r, const prjsumsal::Cierre& c) {
  r.montos[4] = c.activo;
  r.montos[5] = c.pasivo;
  r.montos[6] = c.perdidas;
  r.montos[7] = c.ganancias;
}

}  // namespace

void ModeloBalance::agregar(const prjsumsal::FilaBalance& f) {
  RenglonInforme r;
  r.cuenta = QString::fromStdString(f.centro);
  r.nombre = QString::fromStdString(f.n_centro);
  r.montos = {f.debe,     f.haber,     f.debe_act, f.haber_act,
              f.varDebe5, f.varHaber6, f.varDebe7, f.varHaber8};
  cuentas.push_back(std::move(r));
  sumas.agregar(f);
}

// The workbook leaves the four left-hand cells of SUMAS and RESULTADO EJERCICIO blank and
// carries the plain sums there only on TOTALES; the report shows the same cells.
void ModeloBalance::cerrar() {
  const prjsumsal::Sumas& s = sumas;
  prjsumsal::Cierre suma{s.activo, s.pasivo, s.perdidas, s.ganancias};
  prjsumsal::Cierre resultado = prjsumsal::resultadoEjercicio(s);

  RenglonInforme fila1 = renglonCierre("SUMAS");
  derecha(fila1, suma);
  RenglonInforme fila2 = renglonCierre("RESULTADO EJERCICIO");
  derecha(fila2, resultado);
  RenglonInforme fila3 = renglonCierre("TOTALES");
  fila3.montos[0] = s.debe;
  fila3.montos[1] = s.haber;
  fila3.montos[2] = s.debe_act;
  fila3.montos[3] = s.haber_act;
  derecha(fila3, prjsumsal::totales(s, resultado));

  cierres = {std::move(fila1), std::move(fila2), std::move(fila3)};
}

}  // namespace suite::informes
