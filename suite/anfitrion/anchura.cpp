#include "anchura.h"

#include "host/codificacion.h"

namespace suite::anfitrion {

namespace {

struct Rango {
  char32_t desde, hasta;
};

constexpr Rango kSinAnchura[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF},
    {0x200B, 0x200F}, {0x20D0, 0x20FF}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF},
};

constexpr Rango kAnchos[] = {
    {0x1100, 0x115F}, {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF}, {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE30, 0xFE4F},   {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x3FFFD},
};

template <std::size_t N>
bool en(const Rango (&rangos)[N], char32_t c) {
  for (const auto& r : rangos) {
    if (c >= r.desde && c <= r.hasta) return true;
  }
  return false;
}

}  // namespace

std::size_t anchura(std::string_view texto) {
  std::size_t columnas = 0;
  for (std::size_t i = 0; i < texto.size();) {
    prjsumsal::Caracter c = prjsumsal::leerCaracter(texto.substr(i));
    i += c.largo;
    if (en(kSinAnchura, c.punto)) continue;
    columnas += en(kAnchos, c.punto) ? 2 : 1;
  }
  return columnas;
}

}  // namespace suite::anfitrion
