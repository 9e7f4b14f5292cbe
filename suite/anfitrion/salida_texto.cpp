#include "salida_texto.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "anchura.h"
#include "balance/formato.h"
#include "controles/visible.h"

namespace suite::anfitrion {

namespace {

constexpr const char* kTitulos[] = {"Debitos", "Creditos", "Deudor",   "Acreedor",
                                    "Activo",  "Pasivo",   "Perdidas", "Ganancias"};

// A field of a tab-separated line: a tab or a line end inside a name would shift the columns
// or split the row, so they become blanks.
std::string campo(std::string texto) {
  std::replace_if(
      texto.begin(), texto.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
  return texto;
}

// The next NUL-ended field of `texto` from `pos`, which moves past it.
std::string_view siguiente(const std::string& texto, std::size_t& pos) {
  std::size_t fin = texto.find('\0', pos);
  std::string_view r(texto.data() + pos, fin - pos);
  pos = fin + 1;
  return r;
}

constexpr std::size_t kBloque = std::size_t{1} << 20;

}  // namespace

void SalidaTexto::guardar(const std::string& fila) {
  if (bloques_.empty() || bloques_.back().size() + fila.size() > bloques_.back().capacity()) {
    bloques_.emplace_back().reserve(std::max(kBloque, fila.size()));
  }
  bloques_.back() += fila;
}

SalidaTexto::SalidaTexto(bool alineada)
    : alineada_(alineada), anchoCodigo_(anchura("Cuenta")), anchoNombre_(anchura("Nombre")) {
  for (std::size_t i = 0; i < 8; ++i) ancho_[i] = anchura(kTitulos[i]);
}

void SalidaTexto::agregar(const Renglon& r) {
  std::string fila;
  if (!alineada_) {
    fila = campo(r.codigo) + '\t' + campo(r.nombre);
    for (const auto& m : r.montos) {
      fila += '\t';
      if (m) fila += prjsumsal::formatoCero(*m);
    }
    guardar(fila += '\n');
    return;
  }
  std::string codigo = controles::visible(r.codigo), nombre = controles::visible(r.nombre);
  anchoCodigo_ = std::max(anchoCodigo_, anchura(codigo));
  anchoNombre_ = std::max(anchoNombre_, anchura(nombre));
  fila.append(codigo).push_back('\0');
  fila.append(nombre).push_back('\0');
  for (std::size_t i = 0; i < 8; ++i) {
    std::string cifra = r.montos[i] ? prjsumsal::formatoMiles(*r.montos[i], ".") : "";
    ancho_[i] = std::max(ancho_[i], cifra.size());
    fila.append(cifra).push_back('\0');
  }
  guardar(fila);
}

void SalidaTexto::escribir(std::ostream& salida) const {
  if (!alineada_) {
    for (const auto& b : bloques_) salida << b;
    return;
  }
  std::string l;
  auto linea = [&](std::string_view codigo, std::string_view nombre, auto cifra) {
    l.assign(codigo).append(anchoCodigo_ - anchura(codigo), ' ').append("  ");
    l.append(nombre).append(anchoNombre_ - anchura(nombre), ' ');
    for (std::size_t i = 0; i < 8; ++i) {
      std::string_view c = cifra(i);
      l.append("  ").append(ancho_[i] - c.size(), ' ').append(c);
    }
    salida << l << '\n';
  };
  linea("Cuenta", "Nombre", [](std::size_t i) { return std::string_view(kTitulos[i]); });
  for (const auto& b : bloques_) {
    for (std::size_t pos = 0; pos < b.size();) {
      std::string_view codigo = siguiente(b, pos), nombre = siguiente(b, pos);
      std::array<std::string_view, 8> cifras;
      for (auto& c : cifras) c = siguiente(b, pos);
      linea(codigo, nombre, [&](std::size_t i) { return cifras[i]; });
    }
  }
}

void escribirTabla(std::ostream& salida, const std::vector<Renglon>& renglones) {
  SalidaTexto s(true);
  for (const auto& r : renglones) s.agregar(r);
  s.escribir(salida);
}

void escribirSeparado(std::ostream& salida, const std::vector<Renglon>& renglones) {
  SalidaTexto s(false);
  for (const auto& r : renglones) s.agregar(r);
  s.escribir(salida);
}

}  // namespace suite::anfitrion
