#include "datos/dialecto_jet.h"

#include <cstdio>
#include <map>
#include <set>
#include <vector>

#include "datos/orden_join.h"
#include "datos/piezas.h"
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

// The column types of a CREATE TABLE. Jet's counter numbers rows by itself; SQLite does so for
// a column of type INTEGER that is the table's only primary key column, so a counter becomes
// INTEGER where it is that key and INTEGER PRIMARY KEY where the table has no key at all.
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

bool esEntero(std::string_view t) {
  return !t.empty() && t.size() <= 4 && t.find_first_not_of("0123456789") == std::string_view::npos;
}

// `year(col) = N` among the conditions of a WHERE: written also as the range of that year's
// ISO texts, which the engine can read from an index on col instead of testing every row up to
// the upper date. The year test itself stays, so the result is the same for any text in col.
// Returns the last piece written, or `fin` when the pattern does not hold and nothing was
// written. `k` is the word year, `abre` and `cierra` its parentheses.
std::size_t rangoDeAnio(const Piezas& p, std::size_t k, std::size_t abre, std::size_t cierra,
                        std::size_t fin, std::string& out) {
  if (cierra >= fin) return fin;
  std::size_t previa = anterior(p, k);
  bool alComienzo = previa >= p.size() || p[previa].texto == "(";
  for (auto w : {"where", "and", "on", "having"}) {
    alComienzo = alComienzo || p[previa].es(Clase::Palabra, w);
  }
  if (!alComienzo) return fin;
  std::string columna;
  for (std::size_t i = abre + 1; i < cierra; ++i) {
    if (p[i].clase == Clase::Blanco) continue;
    if (p[i].clase != Clase::Palabra && p[i].texto != ".") return fin;
    columna += p[i].texto;
  }
  std::size_t igual = siguiente(p, cierra);
  std::size_t numero = siguiente(p, igual);
  if (numero >= fin || p[igual].texto != "=" || !esEntero(p[numero].texto)) return fin;
  std::size_t despues = siguiente(p, numero);
  if (despues < fin && p[despues].clase != Clase::Palabra && p[despues].texto != ")") return fin;
  int anio = std::stoi(std::string(p[numero].texto));
  if (columna.empty() || anio < 1 || anio > 9998) return fin;
  char rango[80];
  std::snprintf(rango, sizeof rango, ">= '%04d-01-01' AND %s < '%04d-01-01' AND ", anio,
                columna.c_str(), anio + 1);
  out += "(" + columna + " " + rango + "CAST(strftime('%Y', " + columna +
         ") AS INTEGER)=" + std::to_string(anio) + ")";
  return numero;
}

void emitir(const Piezas& p, std::size_t ini, std::size_t fin, const Cambios& cambios,
            std::string& out) {
  for (std::size_t k = ini; k < fin; ++k) {
    auto cambio = cambios.find(k);
    if (cambio != cambios.end()) {
      out += cambio->second.texto;
      k = cambio->second.hasta;
      continue;
    }
    const Pieza& pz = p[k];
    if (pz.clase == Clase::Fecha) {
      out += '\'';
      out += pz.texto.substr(1, 10);
      out += '\'';
      continue;
    }
    if (pz.es(Clase::Palabra, "year")) {
      std::size_t previa = anterior(p, k);
      std::size_t abre = siguiente(p, k);
      bool esMiembro = previa < p.size() && p[previa].texto == ".";
      if (!esMiembro && abre < fin && p[abre].texto == "(") {
        std::size_t cierra = cierre(p, abre);
        std::size_t finRango = rangoDeAnio(p, k, abre, cierra, fin, out);
        if (finRango < fin) {
          k = finRango;
          continue;
        }
        if (cierra < fin) {
          out += "CAST(strftime('%Y', ";
          emitir(p, abre + 1, cierra, cambios, out);
          out += ") AS INTEGER)";
          k = cierra;
          continue;
        }
      }
    }
    out += pz.texto;
  }
}

}  // namespace

std::string traducirJet(std::string_view sentencia) {
  Piezas p = cortar(sentencia);
  Cambios cambios = tiposDeTabla(p);
  ordenarJoin(p, cambios);
  std::string out;
  out.reserve(sentencia.size() + 32);
  emitir(p, 0, p.size(), cambios, out);
  return out;
}

}  // namespace suite
