#include "linea.h"

#include <locale>
#include <sstream>

namespace suite::avance {

namespace {

// Thousands grouped with ".", as amounts are shown everywhere else in the program.
struct Miles : std::numpunct<char> {
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

std::string cifra(std::size_t n) {
  static const std::locale miles(std::locale::classic(), new Miles);
  std::ostringstream s;
  s.imbue(miles);
  s << n;
  return s.str();
}

// A UTF-8 continuation byte belongs to the character before it.
bool continua(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// `texto` cut to its first `columnas` characters.
std::string recortar(std::string texto, std::size_t columnas) {
  std::size_t vistos = 0;
  for (std::size_t i = 0; i < texto.size(); ++i) {
    if (continua(texto[i])) continue;
    if (vistos++ == columnas) {
      texto.resize(i);
      break;
    }
  }
  return texto;
}

}  // namespace

std::string textoLinea(const Estado& e, std::size_t columnas) {
  if (e.que.empty()) return {};
  std::string t = e.que;
  if (e.total > 0) {
    std::size_t cuenta = std::min(e.cuenta, e.total);
    t += ": " + cifra(cuenta) + " de " + cifra(e.total) + " (" +
         std::to_string(cuenta * 100 / e.total) + " %)";
  } else if (e.cuenta > 0) {
    t += ": " + cifra(e.cuenta);
  } else {
    t += "… " + cifra(e.segundos) + " s";
  }
  return recortar(std::move(t), columnas > 1 ? columnas - 1 : 0);
}

}  // namespace suite::avance
