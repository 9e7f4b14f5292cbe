#include "controles/dia_sin_ventana.h"

#include "host/error.h"

namespace suite::controles {

void DiaSinVentana::Text(const std::string& valor) {
  auto f = prjsumsal::Fecha::leer(valor);
  if (!f) throw prjsumsal::Error("«" + valor + "» no es una fecha válida (dd/mm/aaaa)");
  fecha_ = *f;
}

}  // namespace suite::controles
