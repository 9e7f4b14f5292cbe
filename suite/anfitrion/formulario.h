#pragma once

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>

#include "avance/avance.h"
#include "bases.h"
#include "clase/clssumsal.h"
#include "controles/informe_sin_ventana.h"
#include "form/frmsumsal.h"
#include "instalacion_consola.h"
#include "opciones.h"

namespace suite::anfitrion {

// The balance form run headless, nubo's batch mode. Opening it installs the console's platform
// (InstalacionConsola), creates the class by its identifier, sets its ten properties from the
// command line and calls ShowForm; then it enters what the user would on the form: the period,
// the book, the layout, the accountant's name, the RUT (typed, then the focus leaves the field,
// so its check runs) and the registration.
class SesionFormulario {
 public:
  // Raises prjsumsal::Error when the class cannot be created or ShowForm fails. The report
  // engine tells `avance`, when given, of the pages it paints.
  SesionFormulario(const Opciones& o, Bases& bases, std::ostream& errores,
                   avance::Avance* avance = nullptr);
  // Unloads the form if it is still loaded and gives the platform its previous parts back.
  ~SesionFormulario();
  SesionFormulario(const SesionFormulario&) = delete;
  SesionFormulario& operator=(const SesionFormulario&) = delete;

  // The report control raises its data-preparation event. A message from the preparation is its
  // failure: it makes the run fail too.
  void preparar();
  // "Grabar Contador" is pressed.
  void grabarContador();
  // "Excel Balance" is pressed and the save dialog answers `archivo`.
  void excel(const std::string& archivo);
  // "PDF" is pressed: the hand-over files go to the module's folder and RENDIDOR starts there;
  // then the session waits for RENDIDOR, so the PDF is there when it returns. A RENDIDOR that
  // fails makes the session fail; one ended by a signal raises prjsumsal::Error saying so.
  void pdf();
  // The report control's preview button: data preparation, then preview. With `archivo` the
  // preview is written to that PDF file; without it a window shows it (on a display only).
  // Raises prjsumsal::Error, and runs nothing, when the permission disables the button.
  void vistaPrevia(const std::string& archivo);
  // The report control's print button: data preparation, then print on --impresora; refused as
  // the preview is.
  void imprimir();
  // UnloadForm.
  void cerrar();

  prjsumsal::frmsumsal& formulario() { return *clase_->formulario(); }
  // True when a critical box was shown, a data preparation reported a failure, or RENDIDOR
  // failed.
  bool fallo() const {
    return instalacion_.mensajes().huboCritico() || falloPreparacion_ || falloRendidor_;
  }

 private:
  InstalacionConsola instalacion_;
  std::string permiso_;  // named when a button it disables is pressed
  std::unique_ptr<prjsumsal::clssumsal> clase_;
  bool falloPreparacion_ = false;
  bool falloRendidor_ = false;
  // Raises one of the report control's buttons; a message from its data preparation or from
  // the run makes the session fail.
  void pulsar(void (controles::InformeSinVentana::*boton)());
};

// Places the report files beside the report database, hands the class the host's context from
// the command line, late-bound by member name as an automation caller does, and calls ShowForm.
void entregarContexto(prjsumsal::clssumsal& clase, const Opciones& o, const Bases& bases);
// Enters on the form what the options give, as the user would: the period, the book, the layout,
// the accountant's name, the RUT (typed, then the focus leaves the field, so its check runs) and
// the registration.
void entrarValores(prjsumsal::frmsumsal& f, const Opciones& o);

// True when the options ask for the form: an action on it or a value typed into it.
bool usaFormulario(const Opciones& o);

}  // namespace suite::anfitrion
