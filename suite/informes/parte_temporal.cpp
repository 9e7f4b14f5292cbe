#include "informes/parte_temporal.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

namespace suite::informes {

namespace {

std::runtime_error fallo(const std::string& que) {
  return std::runtime_error(que + ": " + std::strerror(errno));
}

// A file without a name in `carpeta`: O_TMPFILE where the file system has it; elsewhere a file
// made in a private folder (mode 0700) and unlinked, with the folder, before anything is written.
int sinNombre(const std::string& carpeta) {
  int d = ::open(carpeta.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (d >= 0) return d;
  std::string privada = carpeta + "/rendidor-XXXXXX";
  if (!::mkdtemp(privada.data())) throw fallo("No se puede crear una carpeta temporal");
  std::string ruta = privada + "/parte-XXXXXX";
  d = ::mkostemp(ruta.data(), O_CLOEXEC);
  int error = errno;
  if (d >= 0) ::unlink(ruta.c_str());
  ::rmdir(privada.c_str());
  errno = error;
  if (d < 0) throw fallo("No se puede crear un archivo temporal");
  return d;
}

}  // namespace

ParteTemporal::ParteTemporal() : descriptor_(sinNombre(QDir::tempPath().toStdString())) {
  if (!escritura_.open(descriptor_, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
    ::close(descriptor_);
    throw std::runtime_error("No se puede abrir un archivo temporal: " +
                             escritura_.errorString().toStdString());
  }
}

ParteTemporal::~ParteTemporal() {
  escritura_.close();
  ::close(descriptor_);
}

std::FILE* ParteTemporal::lectura() {
  if (!escritura_.flush() || escritura_.error() != QFileDevice::NoError) {
    throw std::runtime_error("No se puede escribir un archivo temporal: " +
                             escritura_.errorString().toStdString());
  }
  int copia = ::dup(descriptor_);
  if (copia < 0) throw fallo("No se puede leer un archivo temporal");
  std::FILE* f = ::fdopen(copia, "rb");
  if (!f) {
    ::close(copia);
    throw fallo("No se puede leer un archivo temporal");
  }
  std::rewind(f);
  return f;
}

}  // namespace suite::informes
