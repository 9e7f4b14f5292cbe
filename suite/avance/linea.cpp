#include "linea.h"

#include <locale>
#include <sstream>
#include <string_view>

#include "host/codificacion.h"

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

// `texto` cut to its first `columnas` characters, read as the module's codec reads them.
std::string recortar(std::string texto, std::size_t columnas) {
  std::size_t i = 0;
  for (; i < texto.size() && columnas > 0; --columnas)
    i += prjsumsal::leerCaracter(std::string_view(texto).substr(i)).largo;
  texto.resize(i);
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
