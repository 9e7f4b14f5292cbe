#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "host/mensajes.h"

class QMessageBox;

namespace suite::ventana {

class Progreso;

// Message boxes on screen: the icon asked for, the title given (none for a box without one) and
// one OK button; the box is modal and waits for it. Over a busy pointer the box shows the arrow.
// While a cancelled piece of long work winds down its boxes are not shown: the user asked for
// it to stop, and the failure it raises on the way out is that request, not news.
class MensajesVentana : public prjsumsal::Mensajes {
 public:
  explicit MensajesVentana(const Progreso* progreso = nullptr) : progreso_(progreso) {}

  void MsgBox(const std::string& texto, prjsumsal::Icono icono,
              const std::optional<std::string>& titulo) override;

  // The window the boxes belong to.
  void padre(QWidget* ventana) { padre_ = ventana; }
  // Tests: each box is handed here, complete, instead of being shown.
  std::function<void(QMessageBox&)> capturar;

 private:
  const Progreso* progreso_;
  QPointer<QWidget> padre_;
};

}  // namespace suite::ventana
