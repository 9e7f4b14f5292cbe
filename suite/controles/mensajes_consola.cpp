#include "controles/mensajes_consola.h"

namespace suite {

void MensajesConsola::MsgBox(const std::string& texto, prjsumsal::Icono icono,
                             const std::optional<std::string>& titulo) {
  // One box, one line: a line end inside the text would split it.
  std::string linea = texto;
  for (char& c : linea) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  salida_ << titulo.value_or(titulo_) << ": " << linea << std::endl;
  ++cajas_;
  if (icono == prjsumsal::Icono::Critico) critico_ = true;
}

}  // namespace suite
