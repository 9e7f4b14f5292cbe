#include "balance/formato.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace prjsumsal {

// The whole number nearest to `valor`, a half away from zero, the value rounded as its 15
// significant digits read (the general number form of the PDF data file): 1234.5 summed by the
// database as 1234.4999999999998 is 1234.5, and rounds to 1235 here as in RENDIDOR, which reads
// the data file's "1234,5". Never -0.
double pesosEnteros(double valor) {
  if (std::fabs(valor) < 1e15) {
    char general[64];
    auto fin =
        std::to_chars(general, general + sizeof general, valor, std::chars_format::general, 15).ptr;
    std::from_chars(general, fin, valor);
  }
  double r = std::round(valor);
  return r == 0 ? 0.0 : r;
}

namespace {

// pesosEnteros as decimal digits; "0" for a value that rounds to zero from either side, so no
// "-0" ever reaches a statement or a cell.
std::string digitosRedondeados(double valor) {
  double r = pesosEnteros(valor);
  if (r == 0) return "0";
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.0f", r);
  return buf;
}

}  // namespace

std::string formatoCero(double valor) {
  return digitosRedondeados(valor);
}

std::string formatoGeneral(double valor, const std::string& decimal) {
  if (valor == 0) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", valor);
  std::string r;
  for (const char* p = buf; *p; ++p) {
    if (*p == '.') {
      r += decimal;
    } else {
      r += *p;
    }
  }
  return r;
}

std::string formatoMiles(double valor, const std::string& miles) {
  std::string digitos = digitosRedondeados(valor);
  std::size_t inicio = digitos[0] == '-' ? 1 : 0;
  std::string r = digitos.substr(0, inicio);
  std::size_t n = digitos.size() - inicio;
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) r += miles;
    r += digitos[inicio + i];
  }
  return r;
}

}  // namespace prjsumsal
