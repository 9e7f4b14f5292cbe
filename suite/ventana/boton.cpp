#include "boton.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace suite::ventana {

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

// A page with its corner folded and a red band marked PDF.
QIcon iconoPdf() {
  QPixmap hoja(26, 28);
  hoja.fill(Qt::transparent);
  QPainter p(&hoja);
  p.setRenderHint(QPainter::Antialiasing);
  const QPolygonF contorno{{4.5, 1.5}, {17.5, 1.5}, {23.5, 7.5}, {23.5, 26.5}, {4.5, 26.5}};
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.setBrush(Qt::white);
  p.drawPolygon(contorno);
  p.drawPolyline(QPolygonF{{17.5, 1.5}, {17.5, 7.5}, {23.5, 7.5}});
  p.setPen(QPen(QColor(150, 150, 150), 1));
  for (int y = 10; y <= 14; y += 2) p.drawLine(QPointF(7, y + 0.5), QPointF(20, y + 0.5));
  p.fillRect(QRectF(1, 17, 20, 8), QColor(200, 30, 30));
  p.setPen(Qt::white);
  QFont letra("Liberation Sans");
  letra.setPixelSize(7);
  letra.setBold(true);
  p.setFont(letra);
  p.drawText(QRectF(1, 17, 20, 8), Qt::AlignCenter, "PDF");
  return QIcon(hoja);
}

}  // namespace suite::ventana
