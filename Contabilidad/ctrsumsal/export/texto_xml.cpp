#include "export/texto_xml.h"

#include "host/codificacion.h"

namespace prjsumsal {

std::string textoXml(std::string_view valor) {
  std::string r;
  r.reserve(valor.size());
  for (std::size_t i = 0; i < valor.size();) {
    Caracter c = leerCaracter(valor.substr(i));
    switch (c.punto) {
      case '&':
        r += "&amp;";
        break;
      case '<':
        r += "&lt;";
        break;
      case '>':
        r += "&gt;";
        break;
      default:
        if (!caracterXml(c.punto)) break;
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

}  // namespace prjsumsal
