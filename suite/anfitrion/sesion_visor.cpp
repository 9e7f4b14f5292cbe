#include "sesion_visor.h"

#include <QApplication>
#include <QImageWriter>
#include <algorithm>
#include <cstdlib>

#include "aplicacion_qt.h"
#include "balance.h"
#include "balance/encabezado.h"
#include "host/error.h"
#include "plataforma/archivo_qt.h"
#include "ventana/captura.h"
#include "ventana/ventana_balance.h"
#include "visor/ventana_visor.h"

namespace suite {

namespace {

void escribirCaptura(QWidget& ventana, const std::string& archivo) {
  ArchivoQt salida(archivo);
  QImageWriter escritor(&salida, "png");
  if (!escritor.write(ventana::capturar(ventana))) {
    throw prjsumsal::Error(salida.fallo().empty() ? "No se puede escribir el archivo " + archivo +
                                                        ": " + escritor.errorString().toStdString()
                                                  : salida.fallo());
  }
  salida.confirmar();
}

// The company's name for the title and an export's heading: --nombre-empresa, or the company
// record's; a company without one is named by its code rather than kept from its balance.
std::string nombreEmpresa(const Opciones& o, prjsumsal::BaseDatos& db) {
  if (!o.nombreEmpresa.empty()) return o.nombreEmpresa;
  try {
    std::string n = prjsumsal::leerEncabezado(db).n_empresa;
    if (!n.empty()) return n;
  } catch (const std::exception&) {
  }
  return "Empresa " + std::to_string(o.empresa);
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
    const std::string empresa = nombreEmpresa(o, *bases.contabilidad);
    const prjsumsal::Consulta consulta = consultaDe(o);
    visor::VentanaVisor ventana(bases.contabilidad, consulta, o.comparar, empresa);
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

}  // namespace suite
