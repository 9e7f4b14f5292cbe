#include "plataforma/archivo_qt.h"

#include "host/error.h"

namespace suite::plataforma {

ArchivoQt::ArchivoQt(const std::string& ruta) : archivo_(ruta) {
  QIODevice::open(QIODevice::WriteOnly);
}

qint64 ArchivoQt::writeData(const char* datos, qint64 n) {
  if (!fallo_.empty()) return -1;
  try {
    archivo_.escribir(datos, static_cast<std::size_t>(n));
    return n;
  } catch (const std::exception& e) {
    fallo_ = e.what();
    setErrorString(QString::fromStdString(fallo_));
    return -1;
  }
}

void ArchivoQt::confirmar() {
  if (!fallo_.empty()) throw prjsumsal::Error(fallo_);
  QIODevice::close();
  archivo_.confirmar();
}

}  // namespace suite::plataforma
