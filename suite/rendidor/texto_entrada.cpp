#include "texto_entrada.h"

#include <cstdint>

namespace suite::rendidor {

namespace {

// The characters of bytes 0x80 to 0x9F in Windows-1252; bytes 0xA0 to 0xFF are Latin-1.
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The code point of the valid UTF-8 sequence at `p` and its length, or length 0 when the bytes
// there are not one (overlong forms, surrogates and values past U+10FFFF included).
struct Secuencia {
  char32_t punto = 0;
  qsizetype largo = 0;
};

Secuencia secuenciaUtf8(const std::uint8_t* p, qsizetype quedan) {
  std::uint8_t c = p[0];
  qsizetype n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
  if (n == 0 || c > 0xF4 || quedan < n) return {};
  char32_t cp = c & (0x7F >> n);
  for (qsizetype i = 1; i < n; ++i) {
    if ((p[i] & 0xC0) != 0x80) return {};
    cp = (cp << 6) | (p[i] & 0x3F);
  }
  constexpr char32_t kMinimo[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMinimo[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
  return {cp, n};
}

}  // namespace

QString decodificar(QByteArrayView bytes) {
  QString r;
  r.reserve(bytes.size());
  const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const qsizetype n = bytes.size();
  for (qsizetype i = 0; i < n;) {
    std::uint8_t c = p[i];
    if (c < 0x80) {
      qsizetype j = i + 1;
      while (j < n && p[j] < 0x80) ++j;
      r += QLatin1StringView(bytes.data() + i, j - i);
      i = j;
    } else if (Secuencia s = secuenciaUtf8(p + i, n - i); s.largo > 0) {
      r += QString::fromUcs4(&s.punto, 1);
      i += s.largo;
    } else {
      r += QChar(c < 0xA0 ? kWindows1252[c - 0x80] : char16_t{c});
      ++i;
    }
  }
  return r;
}

qsizetype cortePrudente(QByteArrayView trozo) {
  const qsizetype n = trozo.size();
  for (qsizetype i = n - 1; i >= 0 && i >= n - 3; --i) {
    if (static_cast<std::uint8_t>(trozo[i]) >= 0xC0) return i;
  }
  return n;
}

}  // namespace suite::rendidor
