#include "informes/tabla_trabajo.h"

#include <exception>

#include "balance/tabla_trabajo.h"
#include "host/error.h"
#include "host/registros.h"
#include "host/solo_avance.h"

namespace suite::informes {

namespace {

namespace c = prjsumsal::columna;

// A column's text; a null column is an empty text.
QString texto(const prjsumsal::Registros& rs, const char* columna) {
  prjsumsal::Valor v = rs.fields(columna).Value;
  return v.esNulo() ? QString() : QString::fromStdString(v.texto());
}

// A column's amount; a null amount counts as 0, as the report shows nothing else for it.
double monto(const prjsumsal::Registros& rs, const char* columna) {
  prjsumsal::Valor v = rs.fields(columna).Value;
  return v.esNulo() ? 0 : v.numero();
}

void encabezado(ModeloBalance& m, const prjsumsal::Registros& rs) {
  EncabezadoInforme& e = m.encabezado;
  e.empresa = texto(rs, c::empresa);
  e.periodo = texto(rs, c::fecha);
  e.rut = texto(rs, c::xrut);
  e.nombre = texto(rs, c::xnombre);
  e.giro = texto(rs, c::xgiro);
  e.direccion = texto(rs, c::xdireccion);
  e.ciudad = texto(rs, c::xciudad);
  e.telefonos = texto(rs, c::xtelefono);
  FirmasInforme& f = m.firmas;
  f.contador = texto(rs, c::contador);
  f.rutContador = texto(rs, c::rut);
  f.registro = texto(rs, c::registro);
  f.representante = texto(rs, c::usuario);
  f.rutRepresentante = texto(rs, c::rep_legal_rut);
}

}  // namespace

ModeloBalance leerTablaTrabajo(prjsumsal::BaseDatos& base) {
  std::unique_ptr<prjsumsal::Registros> rs;
  try {
    // Read forward, a row at a time: the model keeps each account compactly, and a long table
    // is never held whole twice over.
    rs = base.newrecord("select * from ctrsumsal order by reporte", prjsumsal::kSoloAvance);
  } catch (const std::exception& e) {
    throw prjsumsal::Error(
        std::string("No se puede leer la tabla de trabajo ctrsumsal de la base de informes: ") +
        e.what());
  }
  if (rs->eof()) {
    throw prjsumsal::Error(
        "La tabla de trabajo ctrsumsal está vacía: no hay datos preparados para el informe");
  }
  ModeloBalance m;
  bool conEncabezado = false;
  bool cerrada = false;  // the last row read is a closing row
  for (; !rs->eof(); rs->MoveNext()) {
    QString centro = texto(*rs, c::centro);
    cerrada = centro == QLatin1String(prjsumsal::kMarcaCierre);
    if (cerrada) {
      if (!conEncabezado) {
        m.encabezado.empresa = texto(*rs, c::empresa);
        m.encabezado.periodo = texto(*rs, c::fecha);
      }
      continue;
    }
    if (!conEncabezado) {
      encabezado(m, *rs);
      conEncabezado = true;
    }
    prjsumsal::FilaBalance f;
    f.centro = centro.toStdString();
    f.n_centro = texto(*rs, c::n_centro).toStdString();
    f.g_cuenta = texto(*rs, c::g_cuenta).toStdString();
    f.debe = monto(*rs, c::debe);
    f.haber = monto(*rs, c::haber);
    f.debe_act = monto(*rs, c::debe_act);
    f.haber_act = monto(*rs, c::haber_act);
    prjsumsal::clasificar(f);
    m.agregar(f);
  }
  // A data preparation writes its closing row last; without it the preparation stopped half
  // way, and the rows there are only part of the balance.
  if (!cerrada) {
    throw prjsumsal::Error(
        "La tabla de trabajo ctrsumsal está incompleta: la preparación de los datos no terminó");
  }
  m.cerrar();
  return m;
}

}  // namespace suite::informes
