#include "sesion_ventana.h"

#include <QApplication>
#include <QImageWriter>
#include <filesystem>
#include <memory>

#include "clase/biblioteca.h"
#include "clase/clssumsal.h"
#include "componente.h"
#include "controles/mensajes_consola.h"
#include "formulario.h"
#include "host/error.h"
#include "informes/motor.h"
#include "libro_xlsx/escritor_libxlsx.h"
#include "plataforma/archivo_qt.h"
#include "plataforma/procesos_posix.h"
#include "ventana/base_vigilada.h"
#include "ventana/captura.h"
#include "ventana/dia_ventana.h"
#include "ventana/dialogo_ventana.h"
#include "ventana/informe_ventana.h"
#include "ventana/mensajes_ventana.h"
#include "ventana/progreso.h"
#include "ventana/ventana_balance.h"

namespace suite {

namespace {

using prjsumsal::plataforma;

// The form in its window: the window's platform parts installed in the process's platform
// (and the previous ones put back at the end), the class created by its identifier and handed
// the context over the watched databases, the window made on the loaded form.
class SesionVentana {
 public:
  SesionVentana(const Opciones& o, Bases& bases, prjsumsal::Mensajes& mensajes)
      : anterior_(plataforma()) {
    QApplication::setStyle(ventana::kEstilo);
    auto& p = plataforma();
    p.mensajes = &mensajes;
    p.dialogo = &dialogo_;
    p.procesos = &procesos_;
    p.puntero = &progreso_;
    // The report control keeps each data preparation's writes in one batch of the report
    // database itself, not of the watched one the form is given.
    p.crearInforme = [this, base = std::weak_ptr(bases.informes)] {
      auto informe = std::make_unique<ventana::InformeVentana>(&progreso_);
      informe->baseInformes(base);
      return informe;
    };
    p.crearDia = [] { return std::make_unique<ventana::DiaVentana>(); };
    // The window shows whether each balance it delivers squares, on the report panel.
    p.cuadre = [this](const std::string& linea, bool cuadra) {
      if (ventana_) ventana_->mostrarCuadre(linea, cuadra);
    };
    p.crearLibroXlsx = libro_xlsx::crearEscritorLibxlsx;
    // The engine reads the work table straight from the report database: its drawing is not
    // long work to watch, it is the preview itself.
    informes::AjustesMotor ajustes;
    ajustes.impresora = QString::fromStdString(o.impresora);
    ajustes.primerFolio = o.folio;
    p.crearReporte = [base = bases.informes, ajustes] {
      return std::make_unique<informes::MotorInforme>(base, ajustes);
    };

    std::filesystem::path propia =
        std::filesystem::path(p.carpetaModulo) / prjsumsal::kArchivoBiblioteca;
    clase_ = crearPorIdentificador(prjsumsal::kIdentificadorClase, propia);
    Bases vigiladas{
        .cerrojo = nullptr,
        .propios = nullptr,
        .contabilidad = std::make_shared<ventana::BaseVigilada>(bases.contabilidad, progreso_),
        .informes = std::make_shared<ventana::BaseVigilada>(bases.informes, progreso_)};
    entregarContexto(*clase_, o, vigiladas);
    entrarValores(*clase_->formulario(), o);
    ventana_ = std::make_unique<ventana::VentanaBalance>(clase_->formulario(), &progreso_);
    progreso_.padre(ventana_.get());
    dialogo_.padre(ventana_.get());
    if (auto* motor = dynamic_cast<informes::MotorInforme*>(clase_->formulario()->rptreporte.get()))
      motor->ajustes().padre = ventana_.get();
  }

  ~SesionVentana() {
    ventana_.reset();
    if (clase_ && clase_->formulario()->cargado()) clase_->UnloadForm();
    clase_.reset();
    plataforma() = anterior_;
  }

  SesionVentana(const SesionVentana&) = delete;
  SesionVentana& operator=(const SesionVentana&) = delete;

  ventana::VentanaBalance& ventana() { return *ventana_; }

 private:
  prjsumsal::Plataforma anterior_;
  ventana::Progreso progreso_;
  ventana::DialogoVentana dialogo_;
  ProcesosPosix procesos_;
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

int capturarVentana(const Opciones& o, Bases& bases, const std::string& archivo,
                    std::ostream& errores) {
  MensajesConsola mensajes(errores, prjsumsal::kNombreBiblioteca);
  SesionVentana sesion(o, bases, mensajes);
  sesion.ventana().show();
  QApplication::processEvents();
  // The picture shows the form at rest, without a field's caret or selection.
  if (QWidget* foco = QApplication::focusWidget()) foco->clearFocus();
  try {
    ArchivoQt salida(archivo);
    QImageWriter escritor(&salida, "png");
    if (!escritor.write(ventana::capturar(sesion.ventana()))) {
      throw prjsumsal::Error(salida.fallo().empty()
                                 ? "No se puede escribir el archivo " + archivo + ": " +
                                       escritor.errorString().toStdString()
                                 : salida.fallo());
    }
    salida.confirmar();
  } catch (const std::exception& e) {
    errores << "nubo: " << e.what() << '\n';
    return 1;
  }
  sesion.ventana().close();
  return mensajes.huboCritico() ? 1 : 0;
}

}  // namespace suite
