#include "export/texto_xml.h"

#include "host/codificacion.h"

namespace prjsumsal {

namespace {

// The text as valid UTF-8 without the characters XML refuses; with `escapar`, the three
// characters XML reserves as entity references.
std::string convertir(std::string_view valor, bool escapar) {
  std::string r;
  r.reserve(valor.size());
  for (std::size_t i = 0; i < valor.size();) {
    Caracter c = leerCaracter(valor.substr(i));
    if (escapar && c.punto == '&') {
      r += "&amp;";
    } else if (escapar && c.punto == '<') {
      r += "&lt;";
    } else if (escapar && c.punto == '>') {
      r += "&gt;";
    } else if (caracterXml(c.punto)) {
      if (c.punto < 0x80 || c.largo > 1) {
        r.append(valor.substr(i, c.largo));  // ASCII, or UTF-8 as it came
      } else {
        agregarUtf8(r, c.punto);  // a Windows-1252 byte
      }
    }
    i += c.largo;
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
