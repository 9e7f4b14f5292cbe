#include "dia_ventana.h"

#include <QCoreApplication>
#include <QDateEdit>

#include "host/error.h"
#include "host/fecha.h"

namespace suite::ventana {

using prjsumsal::Error;
using prjsumsal::Fecha;

namespace {

Fecha deQDate(const QDate& d) {
  return {d.year(), d.month(), d.day()};
}

// Tab leaves the field, as from any other field of the form; the arrow keys and the separator
// move between day, month and year.
class CampoFecha : public QDateEdit {
 protected:
  bool focusNextPrevChild(bool siguiente) override {
    return QWidget::focusNextPrevChild(siguiente);
  }
};

}  // namespace

DiaVentana::DiaVentana() : campo_(new CampoFecha) {
  campo_->setDisplayFormat("dd/MM/yyyy");
  campo_->setCalendarPopup(true);
  campo_->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
  campo_->setDate(QDate(2000, 5, 18));
}

DiaVentana::~DiaVentana() {
  // After the application is gone a widget can no longer be deleted; the process is ending.
  if (QCoreApplication::instance()) delete campo_.data();
}

QDateEdit& DiaVentana::editor() const {
  if (!campo_) throw Error("El control de fecha ya no tiene su campo en pantalla");
  return *campo_;
}

std::string DiaVentana::Text() const {
  return deQDate(editor().date()).texto();
}

void DiaVentana::Text(const std::string& valor) {
  auto f = Fecha::leer(valor);
  if (!f) throw Error("«" + valor + "» no es una fecha válida (dd/mm/aaaa)");
  editor().setDate(QDate(f->anio, f->mes, f->dia));
}

std::string DiaVentana::FechaSQL() const {
  return deQDate(editor().date()).iso();
}

int DiaVentana::Anio() const {
  return editor().date().year();
}

}  // namespace suite::ventana
