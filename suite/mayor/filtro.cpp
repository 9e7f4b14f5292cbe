#include "mayor/filtro.h"

#include "host/sql.h"

namespace suite::mayor {

std::string condicionesDelLibro(const prjsumsal::Consulta& c) {
  std::string s;
  s += " and a.empresa = b.empresa and a.subsistema = b.subsistema and a.f_comp = b.f_comp";
  s += " and a.documento = b.documento and a.num_docum = b.num_docum";
  if (c.alias == 2) s += " and b.usuario=" + std::to_string(c.usuario);
  s += " and b.ifrs in ('0','" + prjsumsal::sqlTexto(c.libro) + "')";
  return s;
}

std::string filtroAcumulado(const prjsumsal::Consulta& c) {
  std::string s = " where a.empresa=" + std::to_string(c.empresa);
  s += " and a.f_comp<=#" + c.hasta + "#";
  s += " and year(a.f_comp)=" + std::to_string(c.anio);
  return s + condicionesDelLibro(c);
}

}  // namespace suite::mayor
