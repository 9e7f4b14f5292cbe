#include "datos/piezas.h"

#include <cctype>

namespace suite::datos {

namespace {

// A character of a name or number: ASCII letters and digits, '_', '$' and every byte of a
// multibyte UTF-8 character.
bool letra(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return static_cast<unsigned>((u | 0x20) - 'a') < 26u || esDigito(c) || c == '_' || c == '$' ||
         u >= 0x80;
}

// White space as the engines read it: blank, tab, the line ends, vertical tab and form feed.
bool blanco(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// #yyyy-mm-dd# at position i.
bool esFecha(std::string_view t, std::size_t i) {
  if (i + 12 > t.size() || t[i + 11] != '#') return false;
  for (std::size_t k = 1; k <= 10; ++k) {
    bool guion = k == 5 || k == 8;
    if (guion ? t[i + k] != '-' : !esDigito(t[i + k])) return false;
  }
  return true;
}

// The end of a quoted piece that starts at i with `abre` and ends with `cierra`; a doubled
// closing character inside stands for itself. An unclosed quote runs to the end.
std::size_t finCita(std::string_view t, std::size_t i, char cierra) {
  std::size_t k = i + 1;
  while (k < t.size()) {
    if (t[k] == cierra) {
      if (cierra != ']' && k + 1 < t.size() && t[k + 1] == cierra) {
        k += 2;
        continue;
      }
      return k + 1;
    }
    ++k;
  }
  return t.size();
}

}  // namespace

bool Pieza::es(Clase c, std::string_view t) const {
  if (clase != c || texto.size() != t.size()) return false;
  for (std::size_t k = 0; k < t.size(); ++k) {
    if (std::tolower(static_cast<unsigned char>(texto[k])) !=
        std::tolower(static_cast<unsigned char>(t[k]))) {
      return false;
    }
  }
  return true;
}

Pieza piezaEn(std::string_view t, std::size_t i) {
  char c = t[i];
  std::size_t fin = i + 1;
  Pieza::Clase clase = Pieza::Clase::Simbolo;
  if (blanco(c)) {
    while (fin < t.size() && blanco(t[fin])) ++fin;
    clase = Pieza::Clase::Blanco;
  } else if (c == '\'') {
    fin = finCita(t, i, '\'');
    clase = Pieza::Clase::Cadena;
  } else if (c == '"' || c == '`' || c == '[') {
    fin = finCita(t, i, c == '[' ? ']' : c);
    clase = Pieza::Clase::Cita;
  } else if (c == '#' && esFecha(t, i)) {
    fin = i + 12;
    clase = Pieza::Clase::Fecha;
  } else if (letra(c)) {
    while (fin < t.size() && letra(t[fin])) ++fin;
    clase = Pieza::Clase::Palabra;
  }
  return {clase, t.substr(i, fin - i)};
}

std::vector<Pieza> cortar(std::string_view t) {
  std::vector<Pieza> r;
  for (std::size_t i = 0; i < t.size(); i += r.back().texto.size()) r.push_back(piezaEn(t, i));
  return r;
}

std::optional<std::string> textoDeCadena(std::string_view pieza) {
  std::string texto;
  for (std::size_t k = 1;;) {
    std::size_t comilla = pieza.find('\'', k);
    if (comilla == std::string_view::npos) return std::nullopt;
    texto.append(pieza, k, comilla - k);
    if (comilla + 1 == pieza.size()) return texto;
    texto += '\'';  // a doubled quote, which cortar() keeps inside the piece
    k = comilla + 2;
  }
}

std::optional<Numero> leerNumero(std::string_view t, std::size_t i) {
  auto digitos = [&](std::size_t j) {
    while (j < t.size() && esDigito(t[j])) ++j;
    return j;
  };
  if (t[i] == '-') ++i;
  if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) return {};
  Numero n{digitos(i), false};
  if (n.fin < t.size() && t[n.fin] == '.') n = {digitos(n.fin + 1), true};
  if (n.fin < t.size() && (t[n.fin] == 'e' || t[n.fin] == 'E')) {
    std::size_t j = n.fin + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    if (j >= t.size() || !esDigito(t[j])) return {};
    n = {digitos(j), true};
  }
  if (n.fin < t.size() && letra(t[n.fin])) return {};
  return n;
}

std::size_t siguiente(const std::vector<Pieza>& p, std::size_t i) {
  for (std::size_t k = i + 1; k < p.size(); ++k) {
    if (p[k].clase != Pieza::Clase::Blanco) return k;
  }
  return p.size();
}

std::size_t anterior(const std::vector<Pieza>& p, std::size_t i) {
  for (std::size_t k = i; k-- > 0;) {
    if (p[k].clase != Pieza::Clase::Blanco) return k;
  }
  return p.size();
}

std::size_t cierre(const std::vector<Pieza>& p, std::size_t i) {
  int nivel = 0;
  for (std::size_t k = i; k < p.size(); ++k) {
    if (p[k].clase != Pieza::Clase::Simbolo) continue;
    if (p[k].texto == "(") ++nivel;
    if (p[k].texto == ")" && --nivel == 0) return k;
  }
  return p.size();
}

}  // namespace suite::datos
