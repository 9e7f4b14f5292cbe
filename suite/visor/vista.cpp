#include "vista.h"

#include <algorithm>

#include "balance/formato.h"

namespace suite::visor {

bool Vista::muestra(const CuentaVisor& c) const {
  if (criterio_.ocultarCeros) {
    // A balance is zero as shown: in whole pesos. Compared with last year, both years count.
    bool cero =
        prjsumsal::pesosEnteros(c.montos[2]) == 0 && prjsumsal::pesosEnteros(c.montos[3]) == 0;
    if (balance_.comparar) cero = cero && prjsumsal::pesosEnteros(c.montos[9]) == 0;
    if (cero) return false;
  }
  return aguja_.isEmpty() || c.busqueda.contains(aguja_);
}

void Vista::ordenar(std::vector<std::size_t>& indices) const {
  const auto& cuentas = balance_.cuentas;
  const int col = criterio_.columna;
  auto menor = [&](std::size_t a, std::size_t b) {
    const CuentaVisor &x = cuentas[a], &y = cuentas[b];
    if (col == 1 && x.nombre != y.nombre) return x.nombre < y.nombre;
    if (col >= 2) {
      double u = prjsumsal::pesosEnteros(x.montos[col - 2]);
      double v = prjsumsal::pesosEnteros(y.montos[col - 2]);
      if (u != v) return u < v;
    }
    return x.codigo < y.codigo;
  };
  // The accounts come in code order already; a stable sort keeps it among equals.
  if (col != 0) std::stable_sort(indices.begin(), indices.end(), menor);
  if (!criterio_.ascendente) std::reverse(indices.begin(), indices.end());
}

void Vista::subtotalizar(const std::vector<std::size_t>& indices) {
  const std::size_t n = niveles_.size();
  std::vector<std::optional<Subtotal>> abiertos(n);
  // A subtotal that would repeat a row above it is left out: one of a single account, or one
  // that adds the same accounts as the deeper subtotal closed with it.
  auto cerrarDesde = [&](std::size_t nivel) {
    std::size_t anterior = 0;
    for (std::size_t k = n; k-- > nivel;) {
      if (!abiertos[k]) continue;
      const std::size_t cuentas = abiertos[k]->cuentas;
      if (cuentas > 1 && cuentas != anterior) {
        filas_.push_back({true, subtotales_.size()});
        subtotales_.push_back(std::move(*abiertos[k]));
      }
      anterior = cuentas;
      abiertos[k].reset();
    }
  };
  for (std::size_t i : indices) {
    const CuentaVisor& c = balance_.cuentas[i];
    for (std::size_t k = 0; k < n; ++k) {
      const auto largo = static_cast<std::size_t>(niveles_[k]);
      const bool cuenta = c.codigo.size() > largo;
      if (abiertos[k] && (!cuenta || c.codigo.compare(0, largo, abiertos[k]->prefijo) != 0)) {
        cerrarDesde(k);
        break;
      }
    }
    filas_.push_back({false, i});
    for (std::size_t k = 0; k < n; ++k) {
      const auto largo = static_cast<std::size_t>(niveles_[k]);
      if (c.codigo.size() <= largo) continue;
      if (!abiertos[k]) {
        Subtotal s;
        s.prefijo = c.codigo.substr(0, largo);
        s.nivel = niveles_[k];
        auto t = balance_.titulos.find(s.prefijo);
        s.nombre = t != balance_.titulos.end() && !t->second.empty()
                       ? "Total " + t->second
                       : "Total nivel " + std::to_string(k + 1);
        abiertos[k] = std::move(s);
      }
      for (int m = 0; m < kMontos; ++m) abiertos[k]->montos[m] += c.montos[m];
      ++abiertos[k]->cuentas;
    }
  }
  cerrarDesde(0);
}

void Vista::aplicar(const Criterio& criterio) {
  criterio_ = criterio;
  aguja_ = clave(criterio.buscar);
  filas_.clear();
  subtotales_.clear();
  std::vector<std::size_t> indices;
  indices.reserve(balance_.cuentas.size());
  for (std::size_t i = 0; i < balance_.cuentas.size(); ++i) {
    if (muestra(balance_.cuentas[i])) indices.push_back(i);
  }
  ordenar(indices);
  if (criterio_.subtotales && criterio_.columna == 0 && !niveles_.empty()) {
    subtotalizar(indices);
  } else {
    filas_.reserve(indices.size());
    for (std::size_t i : indices) filas_.push_back({false, i});
  }
}

const Montos& Vista::montos(const Fila& f) const {
  return f.subtotal ? subtotales_[f.indice].montos : balance_.cuentas[f.indice].montos;
}

const std::string& Vista::codigo(const Fila& f) const {
  return f.subtotal ? subtotales_[f.indice].prefijo : balance_.cuentas[f.indice].codigo;
}

const std::string& Vista::nombre(const Fila& f) const {
  return f.subtotal ? subtotales_[f.indice].nombre : balance_.cuentas[f.indice].nombre;
}

}  // namespace suite::visor
