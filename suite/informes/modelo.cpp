#include "informes/modelo.h"

#include <algorithm>

#include "balance/cierre.h"

namespace suite::informes {

namespace {

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

prjsumsal::Renglon CuentasInforme::operator[](std::size_t i) const {
  const Fila& f = filas_[i];
  const char* texto = bloques_[f.bloque].data() + f.inicio;
  prjsumsal::Renglon r;
  r.codigo.assign(texto, f.largoCuenta);
  r.nombre.assign(texto + f.largoCuenta, f.largoNombre);
  for (std::size_t k = 0; k < f.montos.size(); ++k) r.montos[k] = f.montos[k];
  return r;
}

void ModeloBalance::agregar(const prjsumsal::FilaBalance& f) {
  cuentas.agregar(
      f.centro, f.n_centro,
      {f.debe, f.haber, f.debe_act, f.haber_act, f.varDebe5, f.varHaber6, f.varDebe7, f.varHaber8});
  sumas.agregar(f);
}

void ModeloBalance::cerrar() {
  auto r = prjsumsal::renglonesCierre(sumas);
  cierres.assign(r.begin(), r.end());
}

}  // namespace suite::informes
