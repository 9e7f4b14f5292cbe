#include "boton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace ventana {

BotonComando::BotonComando(const QString& texto, QWidget* padre) : QPushButton(texto, padre) {}

void BotonComando::paintEvent(QPaintEvent*) {
  QStylePainter pintor(this);
  QStyleOptionButton opcion;
  initStyleOption(&opcion);
  const QString texto = opcion.text;
  opcion.text.clear();
  pintor.drawControl(QStyle::CE_PushButton, opcion);

  QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &opcion, this);
  if (isDown() || isChecked()) {
    area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &opcion, this),
                   style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &opcion, this));
  }
  pintor.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, palette(),
                      isEnabled(), texto, QPalette::ButtonText);
}

}  // namespace ventana
