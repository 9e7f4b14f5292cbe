#include "mensajes_ventana.h"

#include <QApplication>
#include <QMessageBox>

#include "progreso.h"

namespace suite::ventana {

using prjsumsal::Icono;

namespace {

QMessageBox::Icon icono(Icono i) {
  switch (i) {
    case Icono::Critico:
      return QMessageBox::Critical;
    case Icono::Pregunta:
      return QMessageBox::Question;
    case Icono::Exclamacion:
      return QMessageBox::Warning;
    case Icono::Informacion:
      return QMessageBox::Information;
    case Icono::Ninguno:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void MensajesVentana::MsgBox(const std::string& texto, Icono i,
                             const std::optional<std::string>& titulo) {
  if (progreso_ && progreso_->cancelando()) return;
  QMessageBox caja(icono(i), QString::fromStdString(titulo.value_or("")),
                   QString::fromStdString(texto), QMessageBox::Ok, padre_);
  caja.setTextFormat(Qt::PlainText);
  if (capturar) {
    capturar(caja);
    return;
  }
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  caja.exec();
  QApplication::restoreOverrideCursor();
}

}  // namespace suite::ventana
