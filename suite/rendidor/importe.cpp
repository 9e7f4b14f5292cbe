#include "importe.h"

#include <charconv>
#include <cmath>
#include <string>

namespace suite::rendidor {

Importe leerImporte(QStringView texto) {
  QStringView t = texto.trimmed();
  // The characters from_chars reads, with the decimal comma turned into a point. from_chars
  // would also take "inf", "nan" and a leading "+"; the filter leaves those out.
  std::string ascii;
  ascii.reserve(t.size());
  int separadores = 0, digitos = 0;
  for (QChar c : t) {
    char16_t u = c.unicode();
    if (u >= '0' && u <= '9') {
      ++digitos;
    } else if (u == ',' || u == '.') {
      ++separadores;
      u = '.';
    } else if (u != '-' && u != '+' && u != 'e' && u != 'E') {
      return {};
    }
    ascii += static_cast<char>(u);
  }
  if (digitos == 0 || separadores > 1 || ascii.front() == '+') return {};
  double valor = 0;
  const char* fin = ascii.data() + ascii.size();
  auto [p, ec] = std::from_chars(ascii.data(), fin, valor);
  if (p != fin) return {};
  if (ec == std::errc::result_out_of_range) {
    // from_chars says the same of a number too small to hold; that one is 0.
    if (ascii.find("e-") != std::string::npos || ascii.find("E-") != std::string::npos)
      return {Lectura::Numero, 0};
    return {Lectura::FueraDeRango, 0};
  }
  if (ec != std::errc() || std::fabs(valor) > kImporteMaximo) return {Lectura::FueraDeRango, 0};
  return {Lectura::Numero, valor};
}

}  // namespace suite::rendidor
