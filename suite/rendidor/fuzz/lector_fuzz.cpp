// libFuzzer target for the reader of the hand-over files: every input is read both as a heading
// file and as a data file, handed over a few bytes at a time so that the decoding of pieces is
// exercised too. A reader may refuse an input with ErrorEntrada; anything else (a crash, a
// sanitizer report, another exception, a hang) is a finding. Build and run: scripts/fuzz.sh.
#include <QByteArray>
#include <QIODevice>
#include <cstddef>
#include <cstdint>

#include "error_entrada.h"
#include "lector.h"

namespace {

// A device that hands out its bytes at most `paso` at a time, as a pipe or a slow disk might.
class Goteo : public QIODevice {
 public:
  Goteo(QByteArray datos, qint64 paso) : datos_(std::move(datos)), paso_(paso) {
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  }
  bool isSequential() const override { return true; }
  bool atEnd() const override { return posicion_ >= datos_.size(); }

 protected:
  qint64 readData(char* destino, qint64 maximo) override {
    qint64 n = std::min({maximo, paso_, datos_.size() - posicion_});
    std::copy_n(datos_.constData() + posicion_, n, destino);
    posicion_ += n;
    return n;
  }
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  QByteArray datos_;
  qint64 paso_;
  qint64 posicion_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
  if (largo == 0) return 0;
  // The first byte picks the size of the pieces; the rest is the file.
  const qint64 paso = 1 + datos[0] % 64;
  const QByteArray archivo(reinterpret_cast<const char*>(datos + 1),
                           static_cast<qsizetype>(largo - 1));
  suite::rendidor::Encabezado encabezado;
  encabezado.empresa = QStringLiteral("1");
  encabezado.fecha_desde = QStringLiteral("01/01/2026");
  encabezado.fecha_hasta = QStringLiteral("31/03/2026");
  try {
    Goteo dispositivo(archivo, paso);
    suite::rendidor::leerEncabezado(dispositivo, QStringLiteral("empresa"));
  } catch (const suite::rendidor::ErrorEntrada&) {
  }
  try {
    Goteo dispositivo(archivo, paso);
    suite::rendidor::leerDatos(dispositivo, QStringLiteral("datos"), encabezado,
                               [](prjsumsal::FilaBalance&&) {});
  } catch (const suite::rendidor::ErrorEntrada&) {
  }
  return 0;
}
