#include "aplicacion_qt.h"

#include <cstdlib>

namespace suite {

namespace {

// Qt notes on standard error that the run table has no runtime folder (XDG_RUNTIME_DIR), which
// the engine never uses; nubo's standard error is for its own messages, so that note is dropped.
QtMessageHandler anterior = nullptr;

void filtrarAvisos(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
  if (tipo == QtWarningMsg && texto.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) {
    return;
  }
  if (anterior) anterior(tipo, contexto, texto);
}

bool imprimeOPresenta(const Opciones& o) {
  for (const Accion& a : o.acciones) {
    if (a.tipo == Accion::Tipo::VistaPrevia || a.tipo == Accion::Tipo::Imprimir) return true;
  }
  return false;
}

}  // namespace

AplicacionQt::AplicacionQt(const Opciones& o) {
  if (!imprimeOPresenta(o) || QCoreApplication::instance() != nullptr) return;
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
      std::getenv("QT_QPA_PLATFORM") == nullptr) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  anterior = qInstallMessageHandler(filtrarAvisos);
  // QApplication keeps a reference to argc and reads argv for its own options: give it only
  // the program's name, never nubo's options.
  static int argc = 1;
  static char nombre[] = "nubo";
  static char* argv[] = {nombre, nullptr};
  aplicacion_ = std::make_unique<QApplication>(argc, argv);
}

AplicacionQt::~AplicacionQt() = default;

}  // namespace suite
