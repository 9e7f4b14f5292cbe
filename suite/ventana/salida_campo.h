#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace suite::ventana {

// The field-leave check of a text field: `revisar` runs before the focus leaves the field and
// answers whether it may. It runs when the user tabs out, and when a click would move the focus to
// another control of the same window; a refused move does not happen (the key or the click is
// not delivered) and the focus stays in the field. A move by any other way (a shortcut, code)
// is checked when the focus has left, and a refusal brings the focus back. Switching to another
// window or a pop-up is not leaving the field.
class SalidaCampo : public QObject {
 public:
  SalidaCampo(QWidget* campo, std::function<bool()> revisar);
  ~SalidaCampo() override;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  bool enCampo(QObject* objeto, QEvent* evento);
  bool clicFuera(QObject* objeto, QEvent* evento);
  bool puedeSalir();

  QWidget* campo_;
  std::function<bool()> revisar_;
  bool aprobado_ = false;   // the check passed for the move under way
  bool revisando_ = false;  // the check is running (its message box takes the focus)
};

}  // namespace suite::ventana
