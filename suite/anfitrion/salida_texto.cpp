#include "salida_texto.h"

#include <algorithm>
#include <string>

#include "anchura.h"
#include "balance/formato.h"
#include "controles/visible.h"

namespace suite {

namespace {

constexpr const char* kTitulos[] = {"Debitos", "Creditos", "Deudor",   "Acreedor",
                                    "Activo",  "Pasivo",   "Perdidas", "Ganancias"};

std::string relleno(std::size_t columnas) {
  return std::string(columnas, ' ');
}

// A field of a tab-separated line: a tab or a line end inside a name would shift the columns
// or split the row, so they become blanks.
std::string campo(std::string texto) {
  std::replace_if(
      texto.begin(), texto.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
  return texto;
}

}  // namespace

void escribirTabla(std::ostream& salida, const std::vector<Renglon>& dados) {
  std::vector<Renglon> renglones = dados;
  for (auto& r : renglones) {
    r.codigo = visible(r.codigo);
    r.nombre = visible(r.nombre);
  }
  // Each row's amounts as shown, then the widths of the columns.
  std::vector<std::array<std::string, 8>> montos;
  std::size_t anchoCodigo = anchura("Cuenta"), anchoNombre = anchura("Nombre");
  std::array<std::size_t, 8> ancho;
  for (std::size_t i = 0; i < 8; ++i) ancho[i] = anchura(kTitulos[i]);
  for (const auto& r : renglones) {
    anchoCodigo = std::max(anchoCodigo, anchura(r.codigo));
    anchoNombre = std::max(anchoNombre, anchura(r.nombre));
    auto& m = montos.emplace_back();
    for (std::size_t i = 0; i < 8; ++i) {
      if (r.montos[i]) m[i] = prjsumsal::formatoMiles(*r.montos[i], ".");
      ancho[i] = std::max(ancho[i], m[i].size());
    }
  }

  auto linea = [&](const std::string& codigo, const std::string& nombre, const auto& cifras) {
    std::string l = codigo + relleno(anchoCodigo - anchura(codigo)) + "  " + nombre +
                    relleno(anchoNombre - anchura(nombre));
    for (std::size_t i = 0; i < 8; ++i) {
      std::string cifra = cifras[i];
      l += "  " + relleno(ancho[i] - cifra.size()) + cifra;
    }
    salida << l << '\n';
  };
  std::array<std::string, 8> titulos;
  std::copy(std::begin(kTitulos), std::end(kTitulos), titulos.begin());
  linea("Cuenta", "Nombre", titulos);
  for (std::size_t k = 0; k < renglones.size(); ++k) {
    linea(renglones[k].codigo, renglones[k].nombre, montos[k]);
  }
}

void escribirSeparado(std::ostream& salida, const std::vector<Renglon>& renglones) {
  for (const auto& r : renglones) {
    salida << campo(r.codigo) << '\t' << campo(r.nombre);
    for (const auto& m : r.montos) {
      salida << '\t';
      if (m) salida << prjsumsal::formatoCero(*m);
    }
    salida << '\n';
  }
}

}  // namespace suite
