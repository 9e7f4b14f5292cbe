#include "anchura.h"

namespace suite {

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

// Decodes the character at `i` and moves past it. A byte that does not start a valid sequence
// gives 0xFFFFFFFF and is passed over alone.
char32_t leer(std::string_view t, std::size_t& i) {
  auto b = static_cast<unsigned char>(t[i]);
  int largo = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
  if (largo == 0 || i + largo > t.size()) {
    ++i;
    return 0xFFFFFFFF;
  }
  char32_t c = largo == 1 ? b : b & (0x7F >> largo);
  for (int k = 1; k < largo; ++k) {
    auto s = static_cast<unsigned char>(t[i + k]);
    if ((s & 0xC0) != 0x80) {
      ++i;
      return 0xFFFFFFFF;
    }
    c = (c << 6) | (s & 0x3F);
  }
  i += largo;
  return c;
}

}  // namespace

std::size_t anchura(std::string_view texto) {
  std::size_t columnas = 0;
  for (std::size_t i = 0; i < texto.size();) {
    char32_t c = leer(texto, i);
    if (en(kSinAnchura, c)) continue;
    columnas += en(kAnchos, c) ? 2 : 1;
  }
  return columnas;
}

}  // namespace suite
