#include "informes/modelo.h"

#include <algorithm>

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

// Texts go into blocks of this size; a longer one gets a block of its own.
constexpr std::size_t kBloque = 1 << 16;

}  // namespace

void CuentasInforme::agregar(std::string_view cuenta, std::string_view nombre,
                             const std::array<double, 8>& montos) {
  const std::size_t largo = cuenta.size() + nombre.size();
  if (bloques_.empty() || bloques_.back().size() + largo > bloques_.back().capacity()) {
    bloques_.emplace_back().reserve(std::max(kBloque, largo));
  }
  std::string& bloque = bloques_.back();
  Fila f{static_cast<std::uint32_t>(bloques_.size() - 1), static_cast<std::uint32_t>(bloque.size()),
         static_cast<std::uint32_t>(cuenta.size()), static_cast<std::uint32_t>(nombre.size()),
         montos};
  bloque.append(cuenta).append(nombre);
  filas_.push_back(f);
}

RenglonInforme CuentasInforme::operator[](std::size_t i) const {
  const Fila& f = filas_[i];
  const char* texto = bloques_[f.bloque].data() + f.inicio;
  RenglonInforme r;
  r.cuenta = QString::fromUtf8(texto, f.largoCuenta);
  r.nombre = QString::fromUtf8(texto + f.largoCuenta, f.largoNombre);
  for (std::size_t k = 0; k < f.montos.size(); ++k) r.montos[k] = f.montos[k];
  return r;
}

void ModeloBalance::agregar(const prjsumsal::FilaBalance& f) {
  cuentas.agregar(
      f.centro, f.n_centro,
      {f.debe, f.haber, f.debe_act, f.haber_act, f.varDebe5, f.varHaber6, f.varDebe7, f.varHaber8});
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
