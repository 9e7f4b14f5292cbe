#include "datos/dialecto_jet.h"

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "datos/orden_join.h"
#include "datos/piezas.h"
#include "datos/tipos_tabla.h"

namespace suite::datos {

namespace {

using Clase = Pieza::Clase;
using Piezas = std::vector<Pieza>;

// A date as the engine compares it with a date column: ISO text on SQLite, a date on PostgreSQL.
std::string literalFecha(std::string_view iso, Motor motor) {
  std::string t = "'" + std::string(iso) + "'";
  return motor == Motor::Postgres ? "DATE " + t : t;
}

// The first of January of `anio`.
std::string literalFecha(int anio, Motor motor) {
  char iso[16];
  std::snprintf(iso, sizeof iso, "%04d-01-01", anio);
  return literalFecha(iso, motor);
}

bool esEntero(std::string_view t) {
  return !t.empty() && t.size() <= 4 && t.find_first_not_of("0123456789") == std::string_view::npos;
}

// `year(col) = N` among the conditions of a WHERE: written as the range of that year's dates,
// which the engine reads from an index on col instead of testing every row up to the upper
// date. On SQLite dates are kept as ISO text (with or without a time after them), for which the
// range holds exactly the dates of that year; dropping the per-row date parsing of strftime
// saves a sixth of a grouped statement's time over a large journal.
// Returns the last piece written, or `fin` when the pattern does not hold and nothing was
// written. `k` is the word year, `abre` and `cierra` its parentheses.
std::size_t rangoDeAnio(const Piezas& p, std::size_t k, std::size_t abre, std::size_t cierra,
                        std::size_t fin, Motor motor, std::string& out) {
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
  out += "(" + columna + " >= " + literalFecha(anio, motor) + " AND " + columna + " < " +
         literalFecha(anio + 1, motor) + ")";
  return numero;
}

void emitir(const Piezas& p, std::size_t ini, std::size_t fin, const Cambios& cambios, Motor motor,
            std::string& out);

// left(x, n), the first n characters of x, which SQLite lacks: written substr(x, 1, n). Returns
// the piece that closes the call, or `fin` when the word is no such call and nothing was
// written. `k` is the word left.
std::size_t izquierda(const Piezas& p, std::size_t k, std::size_t fin, const Cambios& cambios,
                      Motor motor, std::string& out) {
  std::size_t previa = anterior(p, k);
  std::size_t abre = siguiente(p, k);
  if ((previa < p.size() && p[previa].texto == ".") || abre >= fin || p[abre].texto != "(")
    return fin;
  std::size_t cierra = cierre(p, abre);
  if (cierra >= fin) return fin;
  std::size_t coma = fin;
  int nivel = 0;
  for (std::size_t i = abre + 1; i < cierra; ++i) {
    if (p[i].texto == "(") ++nivel;
    if (p[i].texto == ")") --nivel;
    if (nivel == 0 && p[i].clase == Clase::Simbolo && p[i].texto == ",") {
      if (coma < fin) return fin;  // more than two arguments
      coma = i;
    }
  }
  if (coma >= fin) return fin;
  out += "substr(";
  emitir(p, abre + 1, coma, cambios, motor, out);
  out += ", 1,";
  emitir(p, coma + 1, cierra, cambios, motor, out);
  out += ")";
  return cierra;
}

void emitir(const Piezas& p, std::size_t ini, std::size_t fin, const Cambios& cambios, Motor motor,
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
      out += literalFecha(pz.texto.substr(1, 10), motor);
      continue;
    }
    if (motor == Motor::Postgres && pz.clase == Clase::Cita && pz.texto.size() >= 2 &&
        (pz.texto[0] == '[' || pz.texto[0] == '`')) {
      out += '"' + std::string(pz.texto.substr(1, pz.texto.size() - 2)) + '"';
      continue;
    }
    if (motor == Motor::Sqlite && pz.es(Clase::Palabra, "left")) {
      std::size_t hasta = izquierda(p, k, fin, cambios, motor, out);
      if (hasta < fin) {
        k = hasta;
        continue;
      }
    }
    if (pz.es(Clase::Palabra, "year")) {
      std::size_t previa = anterior(p, k);
      std::size_t abre = siguiente(p, k);
      bool esMiembro = previa < p.size() && p[previa].texto == ".";
      if (!esMiembro && abre < fin && p[abre].texto == "(") {
        std::size_t cierra = cierre(p, abre);
        std::size_t finRango = rangoDeAnio(p, k, abre, cierra, fin, motor, out);
        if (finRango < fin) {
          k = finRango;
          continue;
        }
        if (cierra < fin) {
          out += motor == Motor::Postgres ? "CAST(EXTRACT(YEAR FROM " : "CAST(strftime('%Y', ";
          emitir(p, abre + 1, cierra, cambios, motor, out);
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

std::string traducirJet(std::string_view sentencia, Motor motor, bool tablaDeSesion) {
  Piezas p = cortar(sentencia);
  Cambios cambios = tiposDeTabla(p, motor, tablaDeSesion);
  if (motor == Motor::Sqlite) ordenarJoin(p, cambios);
  std::string out;
  out.reserve(sentencia.size() + 32);
  emitir(p, 0, p.size(), cambios, motor, out);
  return out;
}

bool iniciaTransaccion(std::string_view sql) {
  auto primera = sql.find_first_not_of(" \t\r\n");
  if (primera == std::string_view::npos || (sql[primera] != 'b' && sql[primera] != 'B'))
    return false;
  std::string palabras;
  for (char c : sql) {
    if (std::isspace(static_cast<unsigned char>(c)) || c == ';') {
      if (!palabras.empty() && palabras.back() != ' ') palabras += ' ';
    } else {
      palabras += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  if (!palabras.empty() && palabras.back() == ' ') palabras.pop_back();
  return palabras == "begin" || palabras == "begin transaction";
}

}  // namespace suite::datos
