#include "mayor/seleccion.h"

#include <algorithm>

#include "host/caracteres.h"
#include "host/sql.h"

namespace suite::mayor {

bool Seleccion::contiene(std::string_view centro) const {
  return std::ranges::find(cuentas, centro) != cuentas.end() ||
         std::ranges::any_of(prefijos, [&](const std::string& p) { return centro.starts_with(p); });
}

std::string Seleccion::condicion(std::string_view columna) const {
  std::string c;
  auto o = [&] { c += c.empty() ? "(" : " or "; };
  if (!cuentas.empty()) {
    o();
    c += std::string(columna) + " in (";
    for (std::size_t i = 0; i < cuentas.size(); ++i) {
      c += (i ? ",'" : "'") + prjsumsal::sqlTexto(cuentas[i]) + "'";
    }
    c += ")";
  }
  for (const std::string& p : prefijos) {
    o();
    c += "left(" + std::string(columna) + "," + std::to_string(prjsumsal::largo(p)) + ")='" +
         prjsumsal::sqlTexto(p) + "'";
  }
  return c.empty() ? "(1=0)" : c + ")";
}

}  // namespace suite::mayor
