#include "controles/informe_sin_ventana.h"

#include "controles/boton_deshabilitado.h"
#include "controles/preparacion.h"

namespace suite::controles {

// Each event goes to the form connected at the moment it is raised; the form may disconnect
// itself inside a handler (the exit unloads it), so the pointer is read again for each event.

bool InformeSinVentana::prepararDatos() {
  return eventos_ == nullptr || prepararEnLote(*eventos_, informes_);
}

void InformeSinVentana::pulsarImprimir() {
  exigirHabilitado(imprimir_, "Imprimir");
  if (prepararDatos() && eventos_) eventos_->ctlinforme1_Imprime();
}

void InformeSinVentana::pulsarVistaPrevia() {
  exigirHabilitado(preeliminar_, "Vista Previa");
  if (prepararDatos() && eventos_) eventos_->ctlinforme1_Presenta();
}

void InformeSinVentana::pulsarSalir() {
  if (eventos_) eventos_->ctlinforme1_Sale();
}

}  // namespace suite::controles
