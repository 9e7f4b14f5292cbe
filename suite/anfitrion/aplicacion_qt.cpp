#include "aplicacion_qt.h"

#include <cstdlib>

namespace suite::anfitrion {

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

// Preview and print need the engine's application; the form's window (no action, or a picture
// of it) and the viewer need it too.
bool necesitaQt(const Opciones& o) {
  if (o.acciones.empty()) return true;
  for (const Accion& a : o.acciones) {
    if (a.tipo == Accion::Tipo::VistaPrevia || a.tipo == Accion::Tipo::Imprimir ||
        a.tipo == Accion::Tipo::Captura || a.tipo == Accion::Tipo::Ver) {
      return true;
    }
  }
  return false;
}

bool definida(const char* variable) {
  const char* v = std::getenv(variable);
  return v != nullptr && *v != '\0';
}

}  // namespace

bool hayPantalla() {
  return definida("DISPLAY") || definida("WAYLAND_DISPLAY") || definida("QT_QPA_PLATFORM");
}

AplicacionQt::AplicacionQt(const Opciones& o) {
  if (!necesitaQt(o) || QCoreApplication::instance() != nullptr) return;
  if (!hayPantalla()) qputenv("QT_QPA_PLATFORM", "offscreen");
  anterior = qInstallMessageHandler(filtrarAvisos);
  // QApplication keeps a reference to argc and reads argv for its own options: give it only
  // the program's name, never nubo's options.
  static int argc = 1;
  static char nombre[] = "nubo";
  static char* argv[] = {nombre, nullptr};
  aplicacion_ = std::make_unique<QApplication>(argc, argv);
}

AplicacionQt::~AplicacionQt() = default;

}  // namespace suite::anfitrion
