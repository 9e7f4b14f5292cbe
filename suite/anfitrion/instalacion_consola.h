#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "controles/mensajes_consola.h"
#include "informes/motor.h"
#include "instalacion.h"
#include "plataforma/dialogo_fijo.h"
#include "plataforma/procesos_posix.h"

namespace suite::anfitrion {

// The platform of nubo's batch mode, installed for the object's lifetime: message boxes, a
// balance that does not square and the engine's warnings on `errores`; a save dialog that
// answers what the session tells it; the programs the form starts waited for; the windowless
// suite controls; the report engine on the report database, which writes a preview to the file
// the session names; the .xlsx writer.
class InstalacionConsola {
 public:
  // A program the form starts writes its standard output to standard error when
  // `salidaAErrores` (nubo's standard output carries the balance or the workbook).
  InstalacionConsola(const AjustesInstalacion& ajustes, std::ostream& errores, bool salidaAErrores);

  const prjsumsal::Plataforma& plataforma() const { return instalada_.plataforma(); }
  controles::MensajesConsola& mensajes() { return mensajes_; }
  const controles::MensajesConsola& mensajes() const { return mensajes_; }
  plataforma::ProcesosPosix& procesos() { return procesos_; }

  // The save dialog answers `archivo` from now on; nullopt (as at the start): it is cancelled.
  void guardarComo(std::optional<std::string> archivo) { dialogo_.responder(std::move(archivo)); }
  // Previews are written to the PDF file `archivo` from now on; empty (as at the start): shown
  // in a window, on a display only.
  void vistaPreviaEn(const std::string& archivo);

 private:
  prjsumsal::Plataforma partes(const AjustesInstalacion& ajustes, std::ostream& errores);

  controles::MensajesConsola mensajes_;
  plataforma::ProcesosPosix procesos_;
  plataforma::DialogoFijo dialogo_{std::nullopt};
  std::shared_ptr<informes::AjustesMotor> motor_;
  PlataformaInstalada instalada_;  // last: installed once the parts exist, gone before they go
};

}  // namespace suite::anfitrion
