#include "balance/encabezado.h"

#include "host/error.h"

namespace prjsumsal {

namespace {

std::string textoONada(const Registros& rs, const char* columna) {
  Valor v = rs.fields(columna).Value;
  return v.esNulo() ? std::string() : v.texto();
}

}  // namespace

Encabezado leerEncabezado(BaseDatos& db) {
  auto rs = db.newrecord(" select * from admempresa ");
  if (rs->eof()) {
    throw Error("La tabla admempresa no tiene ningún registro: faltan los datos de la empresa");
  }
  Encabezado e;
  e.rep_legal = textoONada(*rs, "rep_legal");
  e.provincia = textoONada(*rs, "provincia");
  e.ruc = textoONada(*rs, "ruc");
  e.n_empresa = textoONada(*rs, "n_empresa");
  e.n_comercial = textoONada(*rs, "n_comercial");
  e.direccion = textoONada(*rs, "direccion");
  e.ciudad = textoONada(*rs, "ciudad");
  e.telefonos = textoONada(*rs, "telefonos");
  return e;
}

}  // namespace prjsumsal
