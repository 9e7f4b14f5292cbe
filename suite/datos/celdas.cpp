#include "datos/celdas.h"

#include <bit>
#include <cstdio>
#include <stdexcept>

#include "host/fecha.h"

namespace suite::datos {

using prjsumsal::Fecha;
using prjsumsal::Valor;

Celdas::Celdas(std::size_t columnas) : columnas_(columnas) {}

void Celdas::poner(Tipo tipo, std::uint64_t dato) {
  if (columnas_.empty()) throw std::logic_error("Celdas sin columnas");
  Columna& c = columnas_[siguiente_];
  c.tipos.push_back(static_cast<std::uint8_t>(tipo));
  c.datos.push_back(dato);
  siguiente_ = (siguiente_ + 1) % columnas_.size();
}

void Celdas::agregarNulo() {
  poner(Tipo::Nulo, 0);
}

void Celdas::agregarEntero(std::int64_t v) {
  poner(Tipo::Entero, static_cast<std::uint64_t>(v));
}

void Celdas::agregarDoble(double v) {
  poner(Tipo::Doble, std::bit_cast<std::uint64_t>(v));
}

void Celdas::agregarTexto(std::string_view v) {
  poner(Tipo::Texto, textos_.size());
  for (std::size_t n = v.size();; n >>= 7) {
    textos_.push_back(static_cast<char>((n & 0x7f) | (n >= 0x80 ? 0x80 : 0)));
    if (n < 0x80) break;
  }
  textos_.append(v);
}

void Celdas::agregar(const Valor& v) {
  switch (v.tipo()) {
    case Tipo::Nulo:
      return agregarNulo();
    case Tipo::Entero:
      return agregarEntero(v.entero());
    case Tipo::Doble:
      return agregarDoble(v.numero());
    case Tipo::Texto:
      return agregarTexto(v.texto());
    case Tipo::Logico:
      return poner(Tipo::Logico, v.logico() ? 1 : 0);
    case Tipo::Fecha: {
      int dia = 0, mes = 0, anio = 0;  // read back from "dd/mm/yyyy", the only way out of a Valor
      std::sscanf(v.texto().c_str(), "%d/%d/%d", &dia, &mes, &anio);
      return poner(Tipo::Fecha, static_cast<std::uint64_t>(anio * 10000 + mes * 100 + dia));
    }
  }
}

std::string_view Celdas::textoEn(std::uint64_t inicio) const {
  std::size_t n = 0, i = inicio;
  for (int desplazo = 0;; desplazo += 7) {
    auto b = static_cast<unsigned char>(textos_[i++]);
    n |= static_cast<std::size_t>(b & 0x7f) << desplazo;
    if (b < 0x80) break;
  }
  return std::string_view(textos_).substr(i, n);
}

bool Celdas::esNulo(std::size_t fila, std::size_t columna) const {
  return static_cast<Tipo>(columnas_[columna].tipos[fila]) == Tipo::Nulo;
}

Valor Celdas::valor(std::size_t fila, std::size_t columna) const {
  const Columna& c = columnas_[columna];
  std::uint64_t d = c.datos[fila];
  switch (static_cast<Tipo>(c.tipos[fila])) {
    case Tipo::Nulo:
      break;
    case Tipo::Entero:
      return Valor(static_cast<std::int64_t>(d));
    case Tipo::Doble:
      return Valor(std::bit_cast<double>(d));
    case Tipo::Texto:
      return Valor(std::string(textoEn(d)));
    case Tipo::Logico:
      return Valor(d != 0);
    case Tipo::Fecha: {
      auto n = static_cast<int>(d);
      return Valor(Fecha{n / 10000, n / 100 % 100, n % 100});
    }
  }
  return Valor();
}

std::string_view Celdas::texto(std::size_t fila, std::size_t columna, std::string& apoyo) const {
  const Columna& c = columnas_[columna];
  if (static_cast<Tipo>(c.tipos[fila]) == Tipo::Texto) return textoEn(c.datos[fila]);
  apoyo = valor(fila, columna).texto();
  return apoyo;
}

}  // namespace suite::datos
