#pragma once

#include <QIODevice>
#include <string>

#include "export/archivo_seguro.h"

namespace suite::plataforma {

// A write-only QIODevice over prjsumsal::ArchivoSeguro, for Qt's writers (QPdfWriter,
// QImageWriter): what they write goes to the temporary file beside `ruta`, and nothing replaces
// `ruta` until confirmar(). Qt's writers do not all look at a device's failures, so the device
// keeps the first one and confirmar() raises it; the caller checks the writer's own status
// (QPainter::end(), QImageWriter::write) before confirming. Destroyed unconfirmed, it removes its
// temporary file and leaves `ruta` as it was.
class ArchivoQt : public QIODevice {
 public:
  // Opens the device for writing. Raises prjsumsal::Error as ArchivoSeguro does (a protected
  // target, a folder that does not exist ...).
  explicit ArchivoQt(const std::string& ruta);

  bool isSequential() const override { return true; }

  // Puts the file in `ruta`'s place. Raises prjsumsal::Error naming `ruta` when a write failed
  // or the file cannot be synced, closed or renamed; the earlier file then stays.
  void confirmar();

  // The message of the first failed write; empty while every write succeeded.
  const std::string& fallo() const { return fallo_; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* datos, qint64 n) override;

 private:
  prjsumsal::ArchivoSeguro archivo_;
  std::string fallo_;
};

}  // namespace suite::plataforma
