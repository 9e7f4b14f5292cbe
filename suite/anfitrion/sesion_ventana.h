#pragma once

#include <ostream>
#include <string>

#include "bases.h"
#include "opciones.h"

namespace suite {

// True when there is a screen to open a window on (an X or Wayland display, or a Qt platform
// named in QT_QPA_PLATFORM).
bool hayPantalla();

// nubo without an action: the balance form in its window, on the given databases, with the
// options' values entered, until the user leaves it. Returns the exit status.
int abrirVentana(const Opciones& o, Bases& bases);

// --captura: the same window drawn without a screen into the picture `archivo` (PNG), then
// unloaded. Message boxes go to `errores` as in batch mode. Returns 0, or 1 when a critical box
// was shown or the picture could not be written (one line on `errores`).
int capturarVentana(const Opciones& o, Bases& bases, const std::string& archivo,
                    std::ostream& errores);

}  // namespace suite
