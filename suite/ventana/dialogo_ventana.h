#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "host/dialogo.h"

class QFileDialog;

namespace suite::ventana {

// The save dialog on screen, set up from the form's design settings: its title, the filter
// of file names, the default extension added to a name typed without one, and the initial file
// name. A file that exists is replaced only after the user confirms it.
class DialogoVentana : public prjsumsal::DialogoGuardar {
 public:
  std::optional<std::string> ShowSave(const prjsumsal::OpcionesGuardar& opciones) override;

  void padre(QWidget* ventana) { padre_ = ventana; }
  // Tests: answers the dialog in place of the user, returning QDialog::Accepted or Rejected.
  std::function<int(QFileDialog&)> responder;

 private:
  QPointer<QWidget> padre_;
};

}  // namespace suite::ventana
