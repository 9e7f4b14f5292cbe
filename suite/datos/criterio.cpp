#include "datos/criterio.h"

#include <cctype>

namespace suite::datos {

namespace {

bool letraDeNombre(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

void saltarBlancos(std::string_view t, std::size_t& i) {
  while (i < t.size() && std::isspace(static_cast<unsigned char>(t[i]))) ++i;
}

}  // namespace

std::optional<Igualdad> leerCriterio(std::string_view t) {
  Igualdad r;
  std::size_t i = 0;
  saltarBlancos(t, i);
  if (i < t.size() && t[i] == '[') {
    auto cierre = t.find(']', i + 1);
    if (cierre == std::string_view::npos) return std::nullopt;
    r.columna = std::string(t.substr(i + 1, cierre - i - 1));
    i = cierre + 1;
  } else {
    std::size_t ini = i;
    while (i < t.size() && letraDeNombre(t[i])) ++i;
    r.columna = std::string(t.substr(ini, i - ini));
  }
  if (r.columna.empty()) return std::nullopt;
  saltarBlancos(t, i);
  if (i >= t.size() || t[i] != '=') return std::nullopt;
  ++i;
  saltarBlancos(t, i);
  if (i >= t.size() || t[i] != '\'') return std::nullopt;
  ++i;
  for (;;) {
    if (i >= t.size()) return std::nullopt;  // the value's quote is never closed
    if (t[i] == '\'') {
      if (i + 1 < t.size() && t[i + 1] == '\'') {
        r.valor += '\'';
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    r.valor += t[i++];
  }
  saltarBlancos(t, i);
  if (i != t.size()) return std::nullopt;
  return r;
}

}  // namespace suite::datos
