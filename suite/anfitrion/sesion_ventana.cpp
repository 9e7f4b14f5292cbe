#include "sesion_ventana.h"

#include <QApplication>
#include <QImageWriter>
#include <memory>

#include "clase/biblioteca.h"
#include "clase/clssumsal.h"
#include "controles/mensajes_consola.h"
#include "formulario.h"
#include "host/error.h"
#include "instalacion_ventana.h"
#include "plataforma/archivo_qt.h"
#include "ventana/base_vigilada.h"
#include "ventana/captura.h"
#include "ventana/mensajes_ventana.h"
#include "ventana/ventana_balance.h"

namespace suite::anfitrion {

namespace {

// The form in its window: the window's platform installed, the class created by its identifier
// and handed the context over the watched databases, the window made on the loaded form.
class SesionVentana {
 public:
  SesionVentana(const Opciones& o, Bases& bases, prjsumsal::Mensajes& mensajes)
      : instalacion_(ajustesDe(o, bases), mensajes),
        clase_(crearClase(instalacion_.plataforma().carpetaModulo)) {
    ventana::Progreso& progreso = instalacion_.progreso();
    Bases vigiladas{
        .cerrojo = nullptr,
        .propios = nullptr,
        .contabilidad = std::make_shared<ventana::BaseVigilada>(bases.contabilidad, progreso),
        .informes = std::make_shared<ventana::BaseVigilada>(bases.informes, progreso)};
    entregarContexto(*clase_, o, vigiladas);
    entrarValores(*clase_->formulario(), o);
    ventana_ = std::make_unique<ventana::VentanaBalance>(clase_->formulario(), mensajes, &progreso);
    instalacion_.ventanaHecha(*ventana_);
  }

  ~SesionVentana() {
    ventana_.reset();
    if (clase_ && clase_->formulario()->cargado()) clase_->UnloadForm();
  }

  SesionVentana(const SesionVentana&) = delete;
  SesionVentana& operator=(const SesionVentana&) = delete;

  ventana::VentanaBalance& ventana() { return *ventana_; }

 private:
  InstalacionVentana instalacion_;
  std::unique_ptr<prjsumsal::clssumsal> clase_;
  std::unique_ptr<ventana::VentanaBalance> ventana_;
};

}  // namespace

int abrirVentana(const Opciones& o, Bases& bases) {
  QApplication::setApplicationDisplayName(prjsumsal::kNombreBiblioteca);
  ventana::MensajesVentana mensajes;
  SesionVentana sesion(o, bases, mensajes);
  mensajes.padre(&sesion.ventana());
  sesion.ventana().show();
  return QApplication::exec();
}

void escribirCaptura(QWidget& ventana, const std::string& archivo) {
  plataforma::ArchivoQt salida(archivo);
  QImageWriter escritor(&salida, "png");
  if (!escritor.write(ventana::capturar(ventana))) {
    throw prjsumsal::Error(salida.fallo().empty() ? "No se puede escribir el archivo " + archivo +
                                                        ": " + escritor.errorString().toStdString()
                                                  : salida.fallo());
  }
  salida.confirmar();
}

int capturarVentana(const Opciones& o, Bases& bases, const std::string& archivo,
                    std::ostream& errores) {
  controles::MensajesConsola mensajes(errores, prjsumsal::kNombreBiblioteca);
  SesionVentana sesion(o, bases, mensajes);
  sesion.ventana().show();
  QApplication::processEvents();
  // The picture shows the form at rest, without a field's caret or selection.
  if (QWidget* foco = QApplication::focusWidget()) foco->clearFocus();
  try {
    escribirCaptura(sesion.ventana(), archivo);
  } catch (const std::exception& e) {
    errores << "nubo: " << e.what() << '\n';
    return 1;
  }
  sesion.ventana().close();
  return mensajes.huboCritico() ? 1 : 0;
}

}  // namespace suite::anfitrion
