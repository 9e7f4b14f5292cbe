#include "instalacion_ventana.h"

#include <QApplication>

#include "libro_xlsx/escritor_libxlsx.h"
#include "ventana/dia_ventana.h"
#include "ventana/informe_ventana.h"

namespace suite::anfitrion {

InstalacionVentana::InstalacionVentana(const AjustesInstalacion& ajustes,
                                       prjsumsal::Mensajes& mensajes)
    : motor_(ajustesMotor(ajustes)), instalada_(partes(ajustes, mensajes)) {}

prjsumsal::Plataforma InstalacionVentana::partes(const AjustesInstalacion& ajustes,
                                                 prjsumsal::Mensajes& mensajes) {
  QApplication::setStyle(ventana::kEstilo);
  prjsumsal::Plataforma p = prjsumsal::plataforma();
  p.mensajes = &mensajes;
  p.dialogo = &dialogo_;
  p.procesos = &procesos_;
  p.puntero = &progreso_;
  // The report control keeps each data preparation's writes in one batch of the report
  // database itself, not of the watched one the form is given.
  p.crearInforme = [this, base = std::weak_ptr(ajustes.informes)] {
    auto informe = std::make_unique<ventana::InformeVentana>(&progreso_);
    informe->baseInformes(base);
    return informe;
  };
  p.crearDia = [] { return std::make_unique<ventana::DiaVentana>(); };
  p.cuadre = [this](const std::string& linea, bool cuadra) {
    if (ventana_) ventana_->mostrarCuadre(linea, cuadra);
  };
  // The engine reads the work table straight from the report database: its drawing is not
  // long work to watch, it is the preview itself.
  p.crearReporte = fabricaMotor(ajustes.informes, motor_);
  p.crearLibroXlsx = libro_xlsx::crearEscritorLibxlsx;
  return p;
}

void InstalacionVentana::ventanaHecha(ventana::VentanaBalance& v) {
  ventana_ = &v;
  progreso_.padre(&v);
  dialogo_.padre(&v);
  motor_->padre = &v;
}

}  // namespace suite::anfitrion
