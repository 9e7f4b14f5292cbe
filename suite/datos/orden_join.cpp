#include "datos/orden_join.h"

#include <optional>
#include <string>

namespace suite::datos {

namespace {

using Clase = Pieza::Clase;
using Piezas = std::vector<Pieza>;

bool esPalabra(const Piezas& p, std::size_t i, std::string_view w) {
  return i < p.size() && p[i].es(Clase::Palabra, w);
}

bool esSimbolo(const Piezas& p, std::size_t i, std::string_view s) {
  return i < p.size() && p[i].clase == Clase::Simbolo && p[i].texto == s;
}

bool finDeWhere(const Pieza& pz) {
  for (auto w : {"group", "order", "having", "limit", "union", "except", "intersect"}) {
    if (pz.es(Clase::Palabra, w)) return true;
  }
  return false;
}

// A table of the FROM list and the name that qualifies its columns.
struct Tabla {
  std::string alias;
  std::size_t fin;  // the first piece after it
};

// Reads `tabla [[AS] alias]` at i.
std::optional<Tabla> leerTabla(const Piezas& p, std::size_t i) {
  if (i >= p.size() || p[i].clase != Clase::Palabra) return std::nullopt;
  Tabla t{std::string(p[i].texto), siguiente(p, i)};
  std::size_t k = t.fin;
  if (esPalabra(p, k, "as")) k = siguiente(p, k);
  if (k < p.size() && p[k].clase == Clase::Palabra && !esPalabra(p, k, "where") &&
      !finDeWhere(p[k])) {
    t.alias = std::string(p[k].texto);
    t.fin = siguiente(p, k);
  }
  return t;
}

bool mismoNombre(std::string_view a, std::string_view b) {
  return Pieza{Clase::Palabra, a}.es(Clase::Palabra, b);
}

// For a condition [ini, fin) of the form x.c = y.c between the two tables, the index of the
// piece naming the first table; p.size() otherwise.
std::size_t ladoExterior(const Piezas& p, std::size_t ini, std::size_t fin, const Tabla& t1,
                         const Tabla& t2) {
  std::vector<std::size_t> k;
  for (std::size_t i = ini; i < fin; ++i) {
    if (p[i].clase != Clase::Blanco) k.push_back(i);
  }
  if (k.size() != 7 || !esSimbolo(p, k[1], ".") || !esSimbolo(p, k[3], "=") ||
      !esSimbolo(p, k[5], ".")) {
    return p.size();
  }
  for (std::size_t j : {k[0], k[2], k[4], k[6]}) {
    if (p[j].clase != Clase::Palabra) return p.size();
  }
  bool izq1 = mismoNombre(p[k[0]].texto, t1.alias), der2 = mismoNombre(p[k[4]].texto, t2.alias);
  bool izq2 = mismoNombre(p[k[0]].texto, t2.alias), der1 = mismoNombre(p[k[4]].texto, t1.alias);
  if (izq1 && der2) return k[0];
  if (izq2 && der1) return k[4];
  return p.size();
}

}  // namespace

void ordenarJoin(const Piezas& p, Cambios& cambios) {
  // The FROM and WHERE of the outer statement: pieces at parenthesis depth 0.
  int nivel = 0;
  std::size_t from = p.size();
  for (std::size_t i = 0; i < p.size() && from == p.size(); ++i) {
    if (esSimbolo(p, i, "(")) ++nivel;
    if (esSimbolo(p, i, ")")) --nivel;
    if (nivel == 0 && esPalabra(p, i, "from")) from = i;
  }
  auto t1 = leerTabla(p, siguiente(p, from));
  if (!t1 || !esSimbolo(p, t1->fin, ",")) return;
  std::size_t coma = t1->fin;
  auto t2 = leerTabla(p, siguiente(p, coma));
  if (!t2 || !esPalabra(p, t2->fin, "where")) return;
  if (t1->alias.empty()) t1->alias = std::string(p[siguiente(p, from)].texto);
  if (t2->alias.empty()) t2->alias = std::string(p[siguiente(p, coma)].texto);
  if (mismoNombre(t1->alias, t2->alias)) return;

  // The ANDed conditions of the WHERE clause; an OR or a BETWEEN at the top leaves all alone.
  std::vector<std::pair<std::size_t, std::size_t>> condiciones;
  std::size_t ini = t2->fin + 1;
  std::size_t i = ini;
  nivel = 0;
  for (; i < p.size(); ++i) {
    if (esSimbolo(p, i, "(")) ++nivel;
    if (esSimbolo(p, i, ")")) --nivel;
    if (nivel != 0) continue;
    if (finDeWhere(p[i]) || esSimbolo(p, i, ";")) break;
    if (esPalabra(p, i, "or") || esPalabra(p, i, "between")) return;
    if (esPalabra(p, i, "and")) {
      condiciones.emplace_back(ini, i);
      ini = i + 1;
    }
  }
  condiciones.emplace_back(ini, i);

  cambios[coma] = {coma, " CROSS JOIN"};
  for (auto [a, b] : condiciones) {
    std::size_t lado = ladoExterior(p, a, b, *t1, *t2);
    if (lado < p.size()) cambios[lado] = {lado, "+" + std::string(p[lado].texto)};
  }
}

}  // namespace suite::datos
