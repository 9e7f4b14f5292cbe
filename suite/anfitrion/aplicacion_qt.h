#pragma once

#include <QApplication>
#include <memory>

#include "opciones.h"

namespace suite::anfitrion {

// True when there is a screen to open a window on: an X or Wayland display, or a Qt platform
// named in QT_QPA_PLATFORM (a variable set empty counts as unset).
bool hayPantalla();

// The Qt application the report engine needs for its fonts, printers and preview window, and
// the form's window for itself, made only when the options preview, print, draw the window
// (--captura) or have no action, and no application exists yet. Without a display it runs
// offscreen, so batch runs need no screen.
class AplicacionQt {
 public:
  explicit AplicacionQt(const Opciones& o);
  ~AplicacionQt();
  AplicacionQt(const AplicacionQt&) = delete;
  AplicacionQt& operator=(const AplicacionQt&) = delete;

 private:
  std::unique_ptr<QApplication> aplicacion_;
};

}  // namespace suite::anfitrion
