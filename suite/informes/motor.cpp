#include "informes/motor.h"

#include <QApplication>
#include <QBuffer>
#include <QDate>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "host/error.h"
#include "informes/archivo_informe.h"
#include "informes/cola_cups.h"
#include "informes/pintor.h"
#include "informes/tabla_trabajo.h"

namespace suite::informes {

namespace {

// The queue is checked before anything is painted; the pages go to it as one PDF job, painted
// in memory, so that every step of the job and its outcome can be checked: Qt's own print path
// says nothing when a queue refuses or aborts a job.
void imprimir(const Diseno& diseno, const ModeloBalance& modelo, const AjustesMotor& ajustes) {
  ColaCups cola = buscarCola(ajustes.impresora);
  QByteArray documento;
  {
    QBuffer buffer(&documento);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(600);
    pdf.setCreator(QStringLiteral("NUBO Contabilidad"));
    pdf.setTitle(diseno.titulo);
    PintorBalance(diseno, modelo, ajustes.avance).imprimir(pdf);
  }
  enviarACola(cola, documento, diseno.titulo, disposicion(diseno).pageSize().key(), ajustes.aviso);
}

void presentar(const PintorBalance& pintor, const Diseno& diseno, const QString& titulo,
               QWidget* padre, avance::Avance* avance) {
  QPrinter impresora(QPrinter::HighResolution);
  impresora.setPageLayout(disposicion(diseno));
  impresora.setDocName(diseno.titulo);
  QPrintPreviewDialog ventana(&impresora, padre);
  ventana.setWindowTitle(titulo);
  QObject::connect(&ventana, &QPrintPreviewDialog::paintRequested, &ventana,
                   [&pintor, avance](QPrinter* destino) {
                     QPainter p(destino);
                     pintor.pintar(p, *destino);
                     if (avance) avance->etapa({});  // the window waits on its user now
                   });
  ventana.exec();
}

}  // namespace

bool hayPantalla() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr &&
         QGuiApplication::platformName() != QLatin1String("offscreen") &&
         QGuiApplication::platformName() != QLatin1String("minimal");
}

MotorInforme::MotorInforme(std::shared_ptr<prjsumsal::BaseDatos> base,
                           std::shared_ptr<const AjustesMotor> ajustes)
    : base_(std::move(base)), ajustes_(std::move(ajustes)) {}

MotorInforme::MotorInforme(std::shared_ptr<prjsumsal::BaseDatos> base, AjustesMotor ajustes)
    : MotorInforme(std::move(base), std::make_shared<const AjustesMotor>(std::move(ajustes))) {}

// Everything that can fail is read before any page goes out, so a failed run sends nothing.
void MotorInforme::Accion(std::int16_t valor) {
  if (valor != 1) return;
  if (destino_ != kDestinoVentana && destino_ != kDestinoImpresora) {
    throw prjsumsal::Error("Destino de informe desconocido: " + std::to_string(destino_));
  }
  Diseno diseno = leerArchivoInforme(QString::fromStdString(archivo_));
  if (!base_) throw prjsumsal::Error(prjsumsal::kObjetoNoEstablecido);
  ModeloBalance modelo = leerTablaTrabajo(*base_);
  const AjustesMotor& ajustes = *ajustes_;
  modelo.encabezado.primerFolio = ajustes.primerFolio;
  modelo.encabezado.emision = ajustes.emision.isEmpty()
                                  ? QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))
                                  : ajustes.emision;
  avance::Avance* avance = ajustes.avance;
  // The PDF's painting in parts announces its own stage; the printer and the window are told here.
  if (avance && (destino_ == kDestinoImpresora || ajustes.vistaPreviaPdf.isEmpty())) {
    avance->etapa("Pintando páginas", PintorBalance(diseno, modelo).paginas().size());
  }
  if (destino_ == kDestinoImpresora) {
    imprimir(diseno, modelo, ajustes);
  } else if (!ajustes.vistaPreviaPdf.isEmpty()) {
    escribirPdf(diseno, std::move(modelo), ajustes.vistaPreviaPdf, avance);
  } else if (hayPantalla()) {
    presentar(PintorBalance(diseno, modelo, avance), diseno, QString::fromStdString(titulo_),
              ajustes.padre, avance);
  } else {
    throw prjsumsal::Error(
        "No hay pantalla para la presentación preliminar: indique un archivo PDF para verla");
  }
}

}  // namespace suite::informes
