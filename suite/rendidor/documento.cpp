#include "documento.h"

#include "balance/cierre.h"
#include "lector.h"

namespace suite::rendidor {

suite::informes::Diseno diseno() {
  suite::informes::Diseno d = suite::informes::disenoBase();
  d.titulo = QStringLiteral("Balance Tributario");
  d.foliado = true;
  d.firmas = true;
  d.orientacion = QPageLayout::Landscape;
  d.puntos = 8;
  return d;
}

suite::informes::ModeloBalance leerModelo(const QString& carpeta) {
  suite::informes::ModeloBalance m;
  Encabezado e = leerEntrega(carpeta, [&](prjsumsal::FilaBalance&& fila) { m.agregar(fila); });
  m.encabezado.empresa = e.nombre_empresa;
  m.encabezado.periodo = e.fecha_desde + " - " + e.fecha_hasta;
  m.encabezado.emision = e.fecha;
  m.encabezado.primerFolio = 1;
  m.firmas = {e.nombre_contador, e.rut_contador, e.registro_contador, e.nombre_rep_legal,
              e.rut_rep_legal};
  m.cerrar();
  m.nota = QString::fromStdString(prjsumsal::lineaCuadre(m.sumas));
  return m;
}

}  // namespace suite::rendidor
