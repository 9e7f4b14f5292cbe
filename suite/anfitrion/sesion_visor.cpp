#include "sesion_visor.h"

#include <QApplication>
#include <QImageWriter>
#include <algorithm>
#include <cstdlib>

#include "aplicacion_qt.h"
#include "balance.h"
#include "balance/encabezado.h"
#include "host/error.h"
#include "host/plataforma.h"
#include "sesion_ventana.h"
#include "ventana/ventana_balance.h"
#include "visor/ventana_visor.h"

namespace suite::anfitrion {

namespace {

// The heading of the title and of an export: --nombre-empresa or the company record's name, the
// record's RUT and today. A company without a record is named by its code rather than kept from
// its balance.
libro_xlsx::CabezaHoja cabezaDe(const Opciones& o, prjsumsal::BaseDatos& db) {
  libro_xlsx::CabezaHoja c;
  try {
    prjsumsal::Encabezado e = prjsumsal::leerEncabezado(db);
    c.empresa = e.n_empresa;
    c.rut = e.ruc;
  } catch (const std::exception&) {
  }
  if (!o.nombreEmpresa.empty()) c.empresa = o.nombreEmpresa;
  if (c.empresa.empty()) c.empresa = "Empresa " + std::to_string(o.empresa);
  const auto& p = prjsumsal::plataforma();
  c.emision = p.reloj->Hoy().texto(p.regional->separadorFecha());
  return c;
}

}  // namespace

int verBalance(const Opciones& o, Bases& bases, std::ostream& errores) {
  auto captura = std::find_if(o.acciones.begin(), o.acciones.end(),
                              [](const Accion& a) { return a.tipo == Accion::Tipo::Captura; });
  const bool dibujar = captura != o.acciones.end();
  if (dibujar) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  } else if (!hayPantalla()) {
    errores << "nubo: no hay pantalla para abrir el visor (DISPLAY y WAYLAND_DISPLAY sin valor); "
               "--captura ARCHIVO.png lo dibuja sin ella\n";
    return 1;
  }
  try {
    AplicacionQt aplicacion(o);
    QApplication::setStyle(ventana::kEstilo);
    QApplication::setApplicationDisplayName("Ver balance");
    const prjsumsal::Consulta consulta = consultaDe(o);
    visor::VentanaVisor ventana(bases.contabilidad, consulta, o.comparar,
                                cabezaDe(o, *bases.contabilidad));
    ventana.show();
    if (!ventana.cargar(consulta)) {
      errores << "nubo: " << ventana.estado().toStdString() << '\n';
      return 1;
    }
    if (!dibujar) return QApplication::exec();
    QApplication::processEvents();
    escribirCaptura(ventana, captura->argumento);
    return 0;
  } catch (const std::exception& e) {
    errores << "nubo: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace suite::anfitrion
