#pragma once

#include <QApplication>
#include <memory>

#include "opciones.h"

namespace suite {

// The Qt application the report engine needs for its fonts, printers and preview window, made
// only when the options preview or print and no application exists yet. Without a display
// (neither DISPLAY nor WAYLAND_DISPLAY set) it runs offscreen, so batch runs need no screen.
class AplicacionQt {
 public:
  explicit AplicacionQt(const Opciones& o);
  ~AplicacionQt();
  AplicacionQt(const AplicacionQt&) = delete;
  AplicacionQt& operator=(const AplicacionQt&) = delete;

 private:
  std::unique_ptr<QApplication> aplicacion_;
};

}  // namespace suite
