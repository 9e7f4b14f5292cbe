#include "dialogo_ventana.h"

#include <QApplication>
#include <QFileDialog>
#include <QRegularExpression>

namespace suite::ventana {

namespace {

// The extension of a file type that names a single pattern, "*.xls" or "Libro de Excel
// (*.xlsx)"; empty for any other.
QString extensionDe(const QString& filtro) {
  static const QRegularExpression patron(R"(^(?:.*\()?\*\.(\w+)\)?$)");
  const QRegularExpressionMatch m = patron.match(filtro.trimmed());
  return m.hasMatch() ? m.captured(1) : QString();
}

}  // namespace

std::optional<std::string> DialogoVentana::ShowSave(const prjsumsal::OpcionesGuardar& o) {
  QFileDialog d(padre_, QString::fromStdString(o.titulo));
  // Qt's own dialog: the same on every desktop, and one a test can answer.
  d.setOption(QFileDialog::DontUseNativeDialog);
  d.setAcceptMode(QFileDialog::AcceptSave);
  d.setFileMode(QFileDialog::AnyFile);
  QStringList filtros{QString::fromStdString(o.filtro)};
  for (const std::string& f : o.otrosFiltros) filtros << QString::fromStdString(f);
  d.setNameFilters(filtros);
  d.setDefaultSuffix(QString::fromStdString(o.extension));
  d.selectFile(QString::fromStdString(o.archivo));
  // Picking a file type makes its extension the one a name typed without any gets; Qt's dialog
  // itself changes the extension of the name in the box.
  QObject::connect(&d, &QFileDialog::filterSelected, &d, [&d](const QString& filtro) {
    if (QString extension = extensionDe(filtro); !extension.isEmpty())
      d.setDefaultSuffix(extension);
  });

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
