#include "datos/valores_postgres.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace suite::datos {

using prjsumsal::Valor;

namespace {

// The OIDs of the built-in types, fixed in every PostgreSQL server's catalogue.
constexpr unsigned kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kOid = 26, kFloat4 = 700,
                   kFloat8 = 701, kNumeric = 1700;

Valor doble(std::string_view t) {
  double d = 0;
  auto [fin, ec] = std::from_chars(t.data(), t.data() + t.size(), d);
  if (ec != std::errc() || fin != t.data() + t.size()) return Valor(std::string(t));
  return Valor(d);
}

Valor entero(std::string_view t) {
  std::int64_t n = 0;
  auto [fin, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
  if (ec != std::errc() || fin != t.data() + t.size()) return doble(t);
  return Valor(n);
}

// "1234.00" is the whole number 1234; "1234.50", "NaN" or a number past 64 bits a double.
Valor numerico(std::string_view t) {
  auto punto = t.find('.');
  if (punto == std::string_view::npos) return entero(t);
  if (t.find_first_not_of('0', punto + 1) != std::string_view::npos) return doble(t);
  return entero(t.substr(0, punto));
}

}  // namespace

Valor valorPostgres(std::string_view texto, unsigned tipo) {
  switch (tipo) {
    case kBool:
      return Valor(texto == "t");
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid:
      return entero(texto);
    case kFloat4:
    case kFloat8:
      return doble(texto);
    case kNumeric:
      return numerico(texto);
    default:
      return Valor(std::string(texto));
  }
}

}  // namespace suite::datos
