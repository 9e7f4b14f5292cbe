#include "host/fecha.h"

#include <charconv>
#include <cstdio>

namespace prjsumsal {

namespace {

bool bisiesto(int anio) {
  return (anio % 4 == 0 && anio % 100 != 0) || anio % 400 == 0;
}

int diasDelMes(int anio, int mes) {
  static constexpr int kDias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return mes == 2 && bisiesto(anio) ? 29 : kDias[mes - 1];
}

// Reads an unsigned number of 1 to max_digitos digits that fills the whole text.
std::optional<int> numero(std::string_view texto, std::size_t max_digitos) {
  if (texto.empty() || texto.size() > max_digitos) return std::nullopt;
  int valor = 0;
  auto [fin, ec] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
  if (ec != std::errc() || fin != texto.data() + texto.size()) return std::nullopt;
  return valor;
}

}  // namespace

bool Fecha::valida() const {
  return anio >= 1 && anio <= 9999 && mes >= 1 && mes <= 12 && dia >= 1 &&
         dia <= diasDelMes(anio, mes);
}

std::string Fecha::texto(char separador) const {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d%c%02d%c%04d", dia, separador, mes, separador, anio);
  return buf;
}

std::string Fecha::iso() const {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", anio, mes, dia);
  return buf;
}

std::optional<Fecha> Fecha::leer(std::string_view texto) {
  auto p1 = texto.find_first_of("/-");
  if (p1 == std::string_view::npos) return std::nullopt;
  auto p2 = texto.find(texto[p1], p1 + 1);
  if (p2 == std::string_view::npos) return std::nullopt;
  auto d = numero(texto.substr(0, p1), 2);
  auto m = numero(texto.substr(p1 + 1, p2 - p1 - 1), 2);
  auto a = texto.substr(p2 + 1);
  auto y = a.size() == 4 ? numero(a, 4) : std::nullopt;
  if (!d || !m || !y) return std::nullopt;
  Fecha f{*y, *m, *d};
  if (!f.valida()) return std::nullopt;
  return f;
}

std::optional<Fecha> Fecha::leerIso(std::string_view texto) {
  if (texto.size() != 10 || texto[4] != '-' || texto[7] != '-') return std::nullopt;
  auto y = numero(texto.substr(0, 4), 4);
  auto m = numero(texto.substr(5, 2), 2);
  auto d = numero(texto.substr(8, 2), 2);
  if (!d || !m || !y) return std::nullopt;
  Fecha f{*y, *m, *d};
  if (!f.valida()) return std::nullopt;
  return f;
}

}  // namespace prjsumsal
