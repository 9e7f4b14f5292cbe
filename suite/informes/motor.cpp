#include "informes/motor.h"

#include <QApplication>
#include <QDate>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "host/error.h"
#include "informes/archivo_informe.h"
#include "informes/pintor.h"
#include "informes/tabla_trabajo.h"

namespace suite::informes {

namespace {

void imprimir(const PintorBalance& pintor, const Diseno& diseno, const QString& cola) {
  QString nombre = cola.isEmpty() ? QPrinterInfo::defaultPrinterName() : cola;
  if (nombre.isEmpty()) {
    throw prjsumsal::Error("No hay impresora: el sistema no tiene una impresora predeterminada");
  }
  if (QPrinterInfo::printerInfo(nombre).isNull()) {
    throw prjsumsal::Error("No existe la impresora " + nombre.toStdString());
  }
  QPrinter impresora(QPrinter::HighResolution);
  impresora.setPrinterName(nombre);
  impresora.setDocName(diseno.titulo);
  pintor.imprimir(impresora);
}

void presentar(const PintorBalance& pintor, const Diseno& diseno, const QString& titulo,
               QWidget* padre) {
  QPrinter impresora(QPrinter::HighResolution);
  impresora.setPageLayout(disposicion(diseno));
  impresora.setDocName(diseno.titulo);
  QPrintPreviewDialog ventana(&impresora, padre);
  ventana.setWindowTitle(titulo);
  QObject::connect(&ventana, &QPrintPreviewDialog::paintRequested, &ventana,
                   [&pintor](QPrinter* destino) {
                     QPainter p(destino);
                     pintor.pintar(p, *destino);
                   });
  ventana.exec();
}

}  // namespace

bool hayPantalla() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr &&
         QGuiApplication::platformName() != QLatin1String("offscreen") &&
         QGuiApplication::platformName() != QLatin1String("minimal");
}

MotorInforme::MotorInforme(std::shared_ptr<prjsumsal::BaseDatos> base, AjustesMotor ajustes)
    : base_(std::move(base)), ajustes_(std::move(ajustes)) {}

// Everything that can fail is read before any page goes out, so a failed run sends nothing.
void MotorInforme::Accion(std::int16_t valor) {
  if (valor != 1) return;
  if (destino_ != kDestinoVentana && destino_ != kDestinoImpresora) {
    throw prjsumsal::Error("Destino de informe desconocido: " + std::to_string(destino_));
  }
  Diseno diseno = leerArchivoInforme(QString::fromStdString(archivo_));
  if (!base_) throw prjsumsal::Error(prjsumsal::kObjetoNoEstablecido);
  ModeloBalance modelo = leerTablaTrabajo(*base_);
  if (cierre_.empty()) {
    throw prjsumsal::Error(
        "La tabla de trabajo ctrsumsal no tiene el cierre de su preparación: prepare los datos "
        "otra vez");
  }
  modelo.cierres = cierre_;
  modelo.encabezado.primerFolio = ajustes_.primerFolio;
  modelo.encabezado.emision = ajustes_.emision.isEmpty()
                                  ? QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))
                                  : ajustes_.emision;
  if (destino_ == kDestinoImpresora) {
    imprimir(PintorBalance(diseno, modelo), diseno, ajustes_.impresora);
  } else if (!ajustes_.vistaPreviaPdf.isEmpty()) {
    escribirPdf(diseno, modelo, ajustes_.vistaPreviaPdf);
  } else if (hayPantalla()) {
    presentar(PintorBalance(diseno, modelo), diseno, QString::fromStdString(titulo_),
              ajustes_.padre);
  } else {
    throw prjsumsal::Error(
        "No hay pantalla para la presentación preliminar: indique un archivo PDF para verla");
  }
}

}  // namespace suite::informes
