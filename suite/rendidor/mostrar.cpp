#include "mostrar.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace suite::rendidor {

bool hayEscritorio(const QProcessEnvironment& entorno) {
  return !entorno.value(QStringLiteral("DISPLAY")).isEmpty() ||
         !entorno.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
}

void mostrar(const QString& ruta, const QProcessEnvironment& entorno, std::ostream& salida) {
  const QString absoluta = QFileInfo(ruta).absoluteFilePath();
  if (hayEscritorio(entorno) && QProcess::startDetached(QStringLiteral("xdg-open"), {absoluta})) {
    return;
  }
  salida << QDir::toNativeSeparators(absoluta).toStdString() << '\n';
}

}  // namespace suite::rendidor
