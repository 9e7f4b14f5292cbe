#include "dialogo_ventana.h"

#include <QApplication>
#include <QFileDialog>

namespace suite::ventana {

std::optional<std::string> DialogoVentana::ShowSave(const prjsumsal::OpcionesGuardar& o) {
  QFileDialog d(padre_, QString::fromStdString(o.titulo));
  // Qt's own dialog: the same on every desktop, and one a test can answer.
  d.setOption(QFileDialog::DontUseNativeDialog);
  d.setAcceptMode(QFileDialog::AcceptSave);
  d.setFileMode(QFileDialog::AnyFile);
  d.setNameFilter(QString::fromStdString(o.filtro));
  d.setDefaultSuffix(QString::fromStdString(o.extension));
  d.selectFile(QString::fromStdString(o.archivo));

  int respuesta;
  if (responder) {
    respuesta = responder(d);
  } else {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    respuesta = d.exec();
    QApplication::restoreOverrideCursor();
  }
  if (respuesta != QDialog::Accepted) return std::nullopt;
  const QStringList elegidos = d.selectedFiles();
  if (elegidos.isEmpty() || elegidos.front().isEmpty()) return std::nullopt;
  return QFile::encodeName(elegidos.front()).toStdString();
}

}  // namespace suite::ventana
