#include "datos/tipos_tabla.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "host/error.h"

namespace suite {

namespace {

using Clase = Pieza::Clase;
using Piezas = std::vector<Pieza>;

std::string minusculas(std::string_view t) {
  std::string r(t);
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

// The name a piece gives to a column: a plain word, or a quoted name without its quotes.
std::string nombreColumna(const Pieza& p) {
  if (p.clase == Clase::Cita && p.texto.size() >= 2) {
    return minusculas(p.texto.substr(1, p.texto.size() - 2));
  }
  return minusculas(p.texto);
}

// The items of a parenthesised list: [inicio, fin) ranges of pieces split at its top commas.
std::vector<std::pair<std::size_t, std::size_t>> elementos(const Piezas& p, std::size_t abre,
                                                           std::size_t cierra) {
  std::vector<std::pair<std::size_t, std::size_t>> r;
  int nivel = 0;
  std::size_t ini = abre + 1;
  for (std::size_t k = abre + 1; k < cierra; ++k) {
    if (p[k].clase != Clase::Simbolo) continue;
    if (p[k].texto == "(") ++nivel;
    if (p[k].texto == ")") --nivel;
    if (p[k].texto == "," && nivel == 0) {
      r.emplace_back(ini, k);
      ini = k + 1;
    }
  }
  r.emplace_back(ini, cierra);
  return r;
}

// Whether the range holds the words PRIMARY KEY.
bool tieneClavePrimaria(const Piezas& p, std::size_t ini, std::size_t fin) {
  for (std::size_t k = ini; k < fin; ++k) {
    if (p[k].es(Clase::Palabra, "primary")) {
      std::size_t s = siguiente(p, k);
      if (s < fin && p[s].es(Clase::Palabra, "key")) return true;
    }
  }
  return false;
}

}  // namespace

Cambios tiposDeTabla(const Piezas& p) {
  Cambios cambios;
  std::size_t k = 0;
  while (k < p.size() && p[k].clase == Clase::Blanco) ++k;
  if (k >= p.size() || !p[k].es(Clase::Palabra, "create")) return cambios;
  k = siguiente(p, k);
  if (k < p.size() && (p[k].es(Clase::Palabra, "temp") || p[k].es(Clase::Palabra, "temporary"))) {
    k = siguiente(p, k);
  }
  if (k >= p.size() || !p[k].es(Clase::Palabra, "table")) return cambios;
  while (k < p.size() && !(p[k].clase == Clase::Simbolo && p[k].texto == "(")) ++k;
  std::size_t fin = cierre(p, k);
  if (fin >= p.size()) return cambios;

  std::set<std::string> claveDeTabla;  // the columns of a PRIMARY KEY (...) table constraint
  struct Contador {
    std::size_t pieza;
    std::string columna;
    bool claveEnColumna;
  };
  std::vector<Contador> contadores;
  for (auto [ini, hasta] : elementos(p, k, fin)) {
    std::size_t primero = siguiente(p, ini - 1);
    if (primero >= hasta) continue;
    const Pieza& cabeza = p[primero];
    bool restriccion = false;
    for (auto w : {"constraint", "primary", "unique", "check", "foreign"}) {
      restriccion = restriccion || cabeza.es(Clase::Palabra, w);
    }
    if (restriccion) {
      if (!tieneClavePrimaria(p, primero, hasta)) continue;
      std::size_t abre = primero;
      while (abre < hasta && !(p[abre].clase == Clase::Simbolo && p[abre].texto == "(")) ++abre;
      std::size_t cierra = cierre(p, abre);
      for (auto [a, b] : elementos(p, abre, std::min(cierra, hasta))) {
        std::size_t nombre = siguiente(p, a - 1);
        if (nombre < b) claveDeTabla.insert(nombreColumna(p[nombre]));
      }
      continue;
    }
    std::size_t tipo = siguiente(p, primero);
    if (tipo >= hasta || p[tipo].clase != Clase::Palabra) continue;
    if (p[tipo].es(Clase::Palabra, "counter")) {
      contadores.push_back({tipo, nombreColumna(cabeza), tieneClavePrimaria(p, tipo, hasta)});
    } else if (p[tipo].es(Clase::Palabra, "double")) {
      cambios[tipo] = {tipo, "REAL"};
    } else if (p[tipo].es(Clase::Palabra, "text")) {
      std::size_t abre = siguiente(p, tipo);
      std::size_t cierra = abre < hasta && p[abre].texto == "(" ? cierre(p, abre) : p.size();
      cambios[tipo] = {cierra < hasta ? cierra : tipo, "TEXT"};
    }
  }
  for (const auto& c : contadores) {
    bool esLaClave =
        c.claveEnColumna || (claveDeTabla.size() == 1 && claveDeTabla.count(c.columna) == 1);
    if (esLaClave) {
      cambios[c.pieza] = {c.pieza, "INTEGER"};
    } else if (claveDeTabla.empty() && contadores.size() == 1) {
      cambios[c.pieza] = {c.pieza, "INTEGER PRIMARY KEY"};
    } else {
      throw prjsumsal::Error("La columna " + c.columna +
                             " de tipo counter debe ser la única clave primaria de la tabla");
    }
  }
  return cambios;
}

}  // namespace suite
