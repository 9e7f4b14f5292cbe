#pragma once

#include <QPointer>
#include <memory>

#include "host/mensajes.h"
#include "informes/motor.h"
#include "instalacion.h"
#include "plataforma/procesos_posix.h"
#include "ventana/dialogo_ventana.h"
#include "ventana/progreso.h"
#include "ventana/ventana_balance.h"

namespace suite::anfitrion {

// The platform of the form in its window, installed for the object's lifetime: the given
// message boxes, the save dialog on screen, programs left to run on their own, the progress of
// long work as the mouse pointer, the window's suite controls, the report engine on the report
// database (a preview in a window of its own), the .xlsx writer. Sets the application's widget
// style. Until the window is made (ventanaHecha), the dialogs have no parent and the check lines of
// the balances delivered are dropped.
class InstalacionVentana {
 public:
  InstalacionVentana(const AjustesInstalacion& ajustes, prjsumsal::Mensajes& mensajes);

  const prjsumsal::Plataforma& plataforma() const { return instalada_.plataforma(); }
  ventana::Progreso& progreso() { return progreso_; }

  // The window made on the loaded form: the progress dialog, the save dialog and the preview
  // belong to it, and it shows each balance's check line on its report panel.
  void ventanaHecha(ventana::VentanaBalance& v);

 private:
  prjsumsal::Plataforma partes(const AjustesInstalacion& ajustes, prjsumsal::Mensajes& mensajes);

  ventana::Progreso progreso_;
  ventana::DialogoVentana dialogo_;
  plataforma::ProcesosPosix procesos_;
  std::shared_ptr<informes::AjustesMotor> motor_;
  QPointer<ventana::VentanaBalance> ventana_;
  PlataformaInstalada instalada_;  // last: installed once the parts exist, gone before they go
};

}  // namespace suite::anfitrion
