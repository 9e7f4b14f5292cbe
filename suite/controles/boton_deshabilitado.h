#pragma once

#include "host/error.h"

namespace suite::controles {

// The report control's "Vista Previa" and "Imprimir" buttons are enabled by the two permission
// flags, and nothing but the flag decides it. A press of a disabled button, by a click or by a
// host's code, runs nothing: a click cannot reach it, and code that presses it gets this error
// naming the button, so that an action the user may not take is refused out loud.
class BotonDeshabilitado : public prjsumsal::Error {
 public:
  explicit BotonDeshabilitado(const char* boton)
      : prjsumsal::Error(std::string("\"") + boton +
                         "\" está deshabilitado: el permiso del usuario no lo autoriza") {}
};

// Raises BotonDeshabilitado for `boton` unless `habilitado`.
inline void exigirHabilitado(bool habilitado, const char* boton) {
  if (!habilitado) throw BotonDeshabilitado(boton);
}

}  // namespace suite::controles
