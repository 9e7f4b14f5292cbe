#include "controles/mensajes_consola.h"

#include "controles/visible.h"

namespace suite::controles {

void MensajesConsola::MsgBox(const std::string& texto, prjsumsal::Icono icono,
                             const std::optional<std::string>& titulo) {
  // One box, one line: a line end inside the text would split it. Other control characters
  // (from a name in the data, say) would act on the terminal: they show as "?".
  std::string linea = texto;
  for (char& c : linea) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  salida_ << visible(titulo.value_or(titulo_)) << ": " << visible(linea) << std::endl;
  ++cajas_;
  if (icono == prjsumsal::Icono::Critico) critico_ = true;
}

}  // namespace suite::controles
