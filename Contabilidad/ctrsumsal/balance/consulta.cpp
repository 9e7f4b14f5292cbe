#include "balance/consulta.h"

#include "host/sql.h"

namespace prjsumsal {

namespace {

// The statement both grouped queries share, from its select list to its group clause. The
// period adds the lower date bound; the year-to-date statement of the report drops the trailing
// blank of the from clause, as the report's own copy always has.
std::string sentencia(const Consulta& c, bool periodo, bool ordenada, bool blanco_from) {
  std::string s;
  s.reserve(640);
  s += "SELECT a.centro, sum(a.debe_nacional) as debe, sum(a.haber_nacional) as haber";
  s += blanco_from ? " from ctdcomprmm a, ctccomprmm b " : " from ctdcomprmm a, ctccomprmm b";
  s += " where a.empresa=" + std::to_string(c.empresa);
  if (periodo) s += " and a.f_comp>=#" + c.desde + "#";
  s += " and a.f_comp<=#" + c.hasta + "#";
  s += " and year(a.f_comp)=" + std::to_string(c.anio);
  s += " and a.empresa  = b.empresa ";
  s += " and a.subsistema = b.subsistema ";
  s += " and a.f_comp     = b.f_comp ";
  s += " and a.documento  = b.documento ";
  s += " and a.num_docum  = b.num_docum ";
  if (c.alias == 2) s += " and b.usuario=" + std::to_string(c.usuario);
  s += " and b.ifrs in ('0','" + sqlTexto(c.libro) + "')";
  s += ordenada ? " group by a.centro order by a.centro" : " group by a.centro";
  return s;
}

}  // namespace

std::string sentenciaPeriodo(const Consulta& c) {
  return sentencia(c, true, false, true);
}

std::string sentenciaAcumulado(const Consulta& c, Uso uso) {
  bool exportacion = uso == Uso::Exportacion;
  return sentencia(c, false, exportacion, exportacion);
}

}  // namespace prjsumsal
