#pragma once

#include <QPointer>
#include <string>

#include "host/ctldia.h"

#include <QDateEdit>

namespace suite::ventana {

// The suite's date-entry control on screen: a date field that shows dd/mm/aaaa, takes a date
// typed or picked from a calendar that drops down, and never holds a day that does not exist
// (31/02 cannot be entered). The field is the control's only state.
//
// The control owns its field until a window takes it as a child; a window that closes gives it
// back (setParent(nullptr)) so that the form can still read the date. Reading or writing after
// the field is gone raises an Error.
class DiaVentana : public prjsumsal::ctlDia {
 public:
  DiaVentana();
  ~DiaVentana() override;
  DiaVentana(const DiaVentana&) = delete;
  DiaVentana& operator=(const DiaVentana&) = delete;

  std::string Text() const override;
  // Takes "dd/mm/yyyy" (or with "-"); raises an Error naming the text when it is not a real
  // day, and the field keeps its date.
  void Text(const std::string& valor) override;
  std::string FechaSQL() const override;
  int Anio() const override;

  QDateEdit* campo() const { return campo_; }

 private:
  QDateEdit& editor() const;

  QPointer<QDateEdit> campo_;
};

}  // namespace suite::ventana
