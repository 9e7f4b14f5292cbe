#include "controles/informe_sin_ventana.h"

#include "controles/boton_deshabilitado.h"
#include "controles/preparacion.h"

namespace suite {

// Each event goes to the form connected at the moment it is raised; the form may disconnect
// itself inside a handler (the exit unloads it), so the pointer is read again for each event.

void InformeSinVentana::prepararDatos() {
  if (eventos_) eventos_->ctlinforme1_PreparaDatos();
}

void InformeSinVentana::pulsarImprimir() {
  exigirHabilitado(imprimir_, "Imprimir");
  if (eventos_ == nullptr || !prepararSinMensajes(*eventos_)) return;
  if (eventos_) eventos_->ctlinforme1_Imprime();
}

void InformeSinVentana::pulsarVistaPrevia() {
  exigirHabilitado(preeliminar_, "Vista Previa");
  if (eventos_ == nullptr || !prepararSinMensajes(*eventos_)) return;
  if (eventos_) eventos_->ctlinforme1_Presenta();
}

void InformeSinVentana::pulsarSalir() {
  if (eventos_) eventos_->ctlinforme1_Sale();
}

}  // namespace suite
