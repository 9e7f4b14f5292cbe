#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <ostream>

namespace suite::rendidor {

// Whether `entorno` belongs to a desktop session, where a viewer can show the PDF: an X11 or a
// Wayland display is named.
bool hayEscritorio(const QProcessEnvironment& entorno);

// Shows the finished PDF at `ruta`: in a desktop session hands it to the desktop's viewer
// through xdg-open and returns without waiting for it; otherwise, or when xdg-open cannot be
// started, writes its path to `salida` so the user knows where it is.
void mostrar(const QString& ruta, const QProcessEnvironment& entorno, std::ostream& salida);

}  // namespace suite::rendidor
