#include "form/frmsumsal.h"

namespace prjsumsal {

// Print and preview run the report engine, which this version of the form does not hold yet:
// both say so in a box and change nothing.
void frmsumsal::ctlinforme1_Imprime() {
  plataforma_.mensajes->MsgBox("La impresión del balance aún no está disponible",
                               Icono::Informacion, "Mensaje");
}

void frmsumsal::ctlinforme1_Presenta() {
  plataforma_.mensajes->MsgBox("La presentación preliminar del balance aún no está disponible",
                               Icono::Informacion, "Mensaje");
}

// The user leaves the report control: the form unloads itself.
void frmsumsal::ctlinforme1_Sale() {
  Unload();
}

}  // namespace prjsumsal
