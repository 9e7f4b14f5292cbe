#include "balance/tabla_trabajo.h"

#include "balance/formato.h"
#include "host/caracteres.h"
#include "host/sql.h"

namespace prjsumsal {

std::string sentenciaCrearTabla() {
  static constexpr const char* kColumnas[][2] = {
      {"empresa", "text(50)"},     {"usuario", "text(50)"},       {"fecha", "text(30)"},
      {"reporte", "counter"},      {"centro", "text(20)"},        {"auxiliar", "text(6)"},
      {"n_centro", "text(30)"},    {"n_auxiliar", "text(80)"},    {"debe", "double"},
      {"haber", "double"},         {"debe_act", "double"},        {"haber_act", "double"},
      {"g_cuenta", "text(1)"},     {"tipo_mov", "integer"},       {"contador", "text(50)"},
      {"rut", "text(15)"},         {"rep_legal_rut", "text(15)"}, {"registro", "text(10)"},
      {"xrut", "text(15)"},        {"xnombre", "text(100)"},      {"xgiro", "text(100)"},
      {"xdireccion", "text(100)"}, {"xciudad", "text(50)"},       {"xtelefono", "text(20)"},
  };
  std::string s = "CREATE TABLE ctrsumsal (";
  for (const auto& c : kColumnas) s += std::string(" ") + c[0] + " " + c[1] + ",";
  s += " CONSTRAINT primario";
  s += " PRIMARY KEY (reporte))";
  return s;
}

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
  s += formatoCero(f.debe_act) + "," + formatoCero(f.haber_act) + "," + formatoCero(f.debe) + "," +
       formatoCero(f.haber) + ",";
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
