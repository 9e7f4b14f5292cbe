#include "export/texto_xml.h"

#include <cstdint>

namespace prjsumsal {

namespace {

// The characters of bytes 0x80 to 0x9F in Windows-1252; the five undefined ones keep their
// Latin-1 code point.
constexpr char32_t kWindows1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void agregarUtf8(std::string& r, char32_t c) {
  if (c < 0x80) {
    r += static_cast<char>(c);
  } else if (c < 0x800) {
    r += static_cast<char>(0xC0 | (c >> 6));
    r += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    r += static_cast<char>(0xE0 | (c >> 12));
    r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    r += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Length of the valid UTF-8 sequence at the start of `s`, or 0 when it is not one (overlong
// forms, surrogates, code points past U+10FFFF and U+FFFE/U+FFFF included, which XML refuses).
std::size_t secuenciaUtf8(std::string_view s) {
  auto b = [&](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
  std::uint8_t c = b(0);
  std::size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
  if (n == 0 || c > 0xF4 || s.size() < n) return 0;
  char32_t cp = c & (0x7F >> n);
  for (std::size_t i = 1; i < n; ++i) {
    if ((b(i) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i) & 0x3F);
  }
  constexpr char32_t kMinimo[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMinimo[n] || cp > 0x10FFFF) return 0;
  if ((cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE || cp == 0xFFFF) return 0;
  return n;
}

// The text as valid UTF-8 without the control characters XML refuses; with `escapar`, the three
// characters XML reserves as entity references.
std::string convertir(std::string_view valor, bool escapar) {
  std::string r;
  r.reserve(valor.size());
  for (std::size_t i = 0; i < valor.size();) {
    auto c = static_cast<std::uint8_t>(valor[i]);
    if (c < 0x80) {
      switch (c) {
        case '&':
          r += escapar ? "&amp;" : "&";
          break;
        case '<':
          r += escapar ? "&lt;" : "<";
          break;
        case '>':
          r += escapar ? "&gt;" : ">";
          break;
        case '\t':
        case '\n':
        case '\r':
          r += static_cast<char>(c);
          break;
        default:
          if (c >= 0x20) r += static_cast<char>(c);
      }
      ++i;
      continue;
    }
    if (std::size_t n = secuenciaUtf8(valor.substr(i))) {
      r.append(valor.substr(i, n));
      i += n;
      continue;
    }
    agregarUtf8(r, c < 0xA0 ? kWindows1252[c - 0x80] : char32_t{c});
    ++i;
  }
  return r;
}

}  // namespace

std::string textoXml(std::string_view valor) {
  return convertir(valor, true);
}

std::string textoLimpio(std::string_view valor) {
  return convertir(valor, false);
}

}  // namespace prjsumsal
