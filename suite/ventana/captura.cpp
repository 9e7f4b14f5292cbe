#include "captura.h"

#include <QLinearGradient>
#include <QPainter>
#include <QWidget>

namespace suite::ventana {

QImage capturar(QWidget& ventana) {
  const QPixmap cliente = ventana.grab();
  const int borde = 3;
  const int barra = 20;
  const QSize tam(cliente.width() + 2 * borde, cliente.height() + 2 * borde + barra);
  QImage imagen(tam, QImage::Format_RGB32);
  imagen.fill(ventana.palette().color(QPalette::Window));

  QPainter p(&imagen);
  // The frame: light outside edge, dark inside edge.
  p.setPen(ventana.palette().color(QPalette::Light));
  p.drawRect(0, 0, tam.width() - 1, tam.height() - 1);
  p.setPen(ventana.palette().color(QPalette::Dark));
  p.drawRect(borde - 1, borde - 1, tam.width() - 2 * borde + 1, tam.height() - 2 * borde + 1);

  // The title bar, with the caption and a close box.
  const QRect titulo(borde, borde, cliente.width(), barra - 1);
  QLinearGradient degradado(titulo.topLeft(), titulo.topRight());
  degradado.setColorAt(0, QColor(0, 0, 128));
  degradado.setColorAt(1, QColor(16, 132, 208));
  p.fillRect(titulo, degradado);
  QFont letra = ventana.font();
  letra.setBold(true);
  p.setFont(letra);
  p.setPen(Qt::white);
  p.drawText(titulo.adjusted(6, 0, -24, 0), Qt::AlignLeft | Qt::AlignVCenter,
             ventana.windowTitle());
  const QRect cerrar(titulo.right() - 17, titulo.top() + 2, 16, 14);
  p.fillRect(cerrar, ventana.palette().color(QPalette::Button));
  p.setPen(ventana.palette().color(QPalette::Shadow));
  p.drawRect(cerrar.adjusted(0, 0, -1, -1));
  p.setPen(QPen(Qt::black, 1.5));
  p.setRenderHint(QPainter::Antialiasing);
  p.drawLine(cerrar.topLeft() + QPointF(4.5, 3.5), cerrar.bottomRight() - QPointF(4.5, 3.5));
  p.drawLine(QPointF(cerrar.right() - 4.5, cerrar.top() + 3.5),
             QPointF(cerrar.left() + 4.5, cerrar.bottom() - 3.5));
  p.setRenderHint(QPainter::Antialiasing, false);

  p.drawPixmap(borde, borde + barra, cliente);
  return imagen;
}

}  // namespace suite::ventana
