#include "balance/tabla_trabajo.h"

#include <cmath>

#include "balance/formato.h"
#include "host/caracteres.h"
#include "host/error.h"
#include "host/sql.h"

namespace prjsumsal {

std::string sentenciaCrearTabla() {
  namespace c = columna;
  static constexpr const char* kColumnas[][2] = {
      {c::empresa, "text(50)"},     {c::usuario, "text(50)"},       {c::fecha, "text(30)"},
      {c::reporte, "counter"},      {c::centro, "text(20)"},        {c::auxiliar, "text(6)"},
      {c::n_centro, "text(30)"},    {c::n_auxiliar, "text(80)"},    {c::debe, "double"},
      {c::haber, "double"},         {c::debe_act, "double"},        {c::haber_act, "double"},
      {c::g_cuenta, "text(1)"},     {c::tipo_mov, "integer"},       {c::contador, "text(50)"},
      {c::rut, "text(15)"},         {c::rep_legal_rut, "text(15)"}, {c::registro, "text(10)"},
      {c::xrut, "text(15)"},        {c::xnombre, "text(100)"},      {c::xgiro, "text(100)"},
      {c::xdireccion, "text(100)"}, {c::xciudad, "text(50)"},       {c::xtelefono, "text(20)"},
  };
  std::string s = "CREATE TABLE ctrsumsal (";
  for (const auto& c : kColumnas) s += std::string(" ") + c[0] + " " + c[1] + ",";
  s += " CONSTRAINT primario";
  s += std::string(" PRIMARY KEY (") + columna::reporte + "))";
  return s;
}

namespace {

// An amount with the pattern "0". A sum the database returned as infinite or undefined would be
// written as letters the report database reads as a column name; the run stops instead.
std::string importe(double valor) {
  if (!std::isfinite(valor)) throw Error(kDesbordamiento);
  return formatoCero(valor);
}

}  // namespace

std::string sentenciaFila(const DatosTabla& d, const FilaBalance& f) {
  const Encabezado& e = d.encabezado;
  std::string s;
  s.reserve(1024);
  s += "insert into ctrsumsal(empresa,usuario,fecha,";
  s += "centro,auxiliar,n_centro,n_auxiliar,debe_act,haber_act, debe, haber, g_cuenta, contador, "
       "rut, rep_legal_rut, registro, xrut, xnombre, xgiro, xdireccion, xciudad, xtelefono ) ";
  s += " values('";
  s += sqlTexto(izquierda(d.empresa, 50)) + "','" + sqlTexto(izquierda(e.rep_legal, 50)) + "','" +
       sqlTexto(d.desde + " - " + d.hasta) + "','" + sqlTexto(f.centro) + "','" + " " + "','" +
       sqlTexto(f.n_centro) + "','" + " " + "',";
  s += importe(f.debe_act) + "," + importe(f.haber_act) + "," + importe(f.debe) + "," +
       importe(f.haber) + ",";
  s += "'" + sqlTexto(f.g_cuenta) + "',";
  for (const std::string& v : {d.contador, d.rut, izquierda(e.provincia, 15), d.registro, e.ruc,
                               e.n_empresa, izquierda(e.n_comercial, 100), e.direccion, e.ciudad}) {
    s += "'" + sqlTexto(v) + "',";
  }
  s += "'" + sqlTexto(e.telefonos) + "')";
  return s;
}

std::string sentenciaCierre(const DatosTabla& d) {
  return std::string("insert into ctrsumsal(empresa,usuario,fecha,") + "centro) " + " values('" +
         sqlTexto(izquierda(d.empresa, 50)) + "','" + sqlTexto(izquierda(d.usuario, 50)) + "','" +
         sqlTexto(d.desde) + "','" + kMarcaCierre + "')";
}

}  // namespace prjsumsal
