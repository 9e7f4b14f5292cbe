#include "motivo.h"

namespace suite::rendidor {

QString motivo(const QFileDevice& archivo) {
  switch (archivo.error()) {
    case QFileDevice::PermissionsError:
      return QStringLiteral("no hay permiso");
    case QFileDevice::ResourceError:
      return QStringLiteral("el disco está lleno o faltan recursos del sistema");
    case QFileDevice::ReadError:
      return QStringLiteral("falló la lectura");
    case QFileDevice::WriteError:
      return QStringLiteral("falló la escritura");
    default:
      return archivo.errorString();
  }
}

}  // namespace suite::rendidor
