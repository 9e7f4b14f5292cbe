#pragma once

#include <ostream>
#include <string>

#include <QWidget>

#include "bases.h"
#include "opciones.h"

namespace suite::anfitrion {

// nubo without an action: the balance form in its window, on the given databases, with the
// options' values entered, until the user leaves it. Returns the exit status. Needs the
// application (AplicacionQt) on a display.
int abrirVentana(const Opciones& o, Bases& bases);

// --captura: the same window drawn without a screen into the picture `archivo` (PNG), then
// unloaded. Needs the application on the offscreen platform. Message boxes go to `errores` as in
// batch mode. Returns 0, or 1 when a critical box was shown or the picture could not be written
// (one line on `errores`).
int capturarVentana(const Opciones& o, Bases& bases, const std::string& archivo,
                    std::ostream& errores);

// The picture of `ventana` as drawn now, written to `archivo` (PNG) the one safe way; raises
// prjsumsal::Error naming the file.
void escribirCaptura(QWidget& ventana, const std::string& archivo);

}  // namespace suite::anfitrion
