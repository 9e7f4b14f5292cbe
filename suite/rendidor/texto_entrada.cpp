#include "texto_entrada.h"

#include <cstdint>
#include <string_view>

#include "host/codificacion.h"

namespace suite::rendidor {

QString decodificar(QByteArrayView bytes) {
  QString r;
  r.reserve(bytes.size());
  const std::string_view texto(bytes.data(), static_cast<std::size_t>(bytes.size()));
  for (std::size_t i = 0; i < texto.size();) {
    std::size_t j = i;
    while (j < texto.size() && static_cast<unsigned char>(texto[j]) < 0x80) ++j;
    if (j > i) {
      r += QLatin1StringView(texto.data() + i, static_cast<qsizetype>(j - i));
      i = j;
      continue;
    }
    prjsumsal::Caracter c = prjsumsal::leerCaracter(texto.substr(i));
    r += QString::fromUcs4(&c.punto, 1);
    i += c.largo;
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
