#include "salida_campo.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace suite::ventana {

SalidaCampo::SalidaCampo(QWidget* campo, std::function<bool()> revisar)
    : QObject(campo), campo_(campo), revisar_(std::move(revisar)) {
  campo_->installEventFilter(this);
  qApp->installEventFilter(this);
}

SalidaCampo::~SalidaCampo() {
  qApp->removeEventFilter(this);
}

bool SalidaCampo::puedeSalir() {
  revisando_ = true;
  bool si = revisar_();
  revisando_ = false;
  aprobado_ = si;
  if (!si) campo_->setFocus(Qt::OtherFocusReason);
  return si;
}

bool SalidaCampo::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == campo_) return enCampo(objeto, evento);
  return clicFuera(objeto, evento);
}

bool SalidaCampo::enCampo(QObject*, QEvent* evento) {
  switch (evento->type()) {
    case QEvent::FocusIn:
      aprobado_ = false;
      break;
    case QEvent::KeyPress: {
      int tecla = static_cast<QKeyEvent*>(evento)->key();
      if ((tecla == Qt::Key_Tab || tecla == Qt::Key_Backtab) && !puedeSalir()) return true;
      break;
    }
    case QEvent::FocusOut: {
      Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
      if (aprobado_ || revisando_ || razon == Qt::ActiveWindowFocusReason ||
          razon == Qt::PopupFocusReason) {
        break;
      }
      if (!puedeSalir()) {
        QTimer::singleShot(0, campo_, [c = campo_] { c->setFocus(Qt::OtherFocusReason); });
      }
      break;
    }
    default:
      break;
  }
  return false;
}

// A press of the mouse on a control of the field's window that takes the focus by a click. It
// is caught where the window receives it: by the time the control would see it, the platform
// has already moved the focus.
bool SalidaCampo::clicFuera(QObject* objeto, QEvent* evento) {
  if (evento->type() != QEvent::MouseButtonPress || !campo_->hasFocus() || revisando_) {
    return false;
  }
  QWidget* ventana = campo_->window();
  if (objeto != ventana->windowHandle()) return false;
  QPoint punto = static_cast<QMouseEvent*>(evento)->position().toPoint();
  for (QWidget* x = ventana->childAt(punto); x && x != ventana; x = x->parentWidget()) {
    if (x == campo_) return false;
    if (x->isEnabled() && (x->focusPolicy() & Qt::ClickFocus)) return !puedeSalir();
  }
  return false;
}

}  // namespace suite::ventana
