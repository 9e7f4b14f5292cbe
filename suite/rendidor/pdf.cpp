#include "pdf.h"

#include "host/error.h"
#include "informes/pdf_partes.h"
#include "plataforma/archivo_qt.h"

namespace suite::rendidor {

void generarPdf(const suite::informes::Diseno& diseno, suite::informes::ModeloBalance&& modelo,
                const Propiedades& propiedades, QIODevice& salida, suite::avance::Avance* avance) {
  try {
    suite::informes::pintarEnPartes(diseno, std::move(modelo), propiedades, salida, avance);
  } catch (const prjsumsal::Error& e) {
    throw ErrorSalida(e.what());
  }
}

void guardar(const QString& ruta, const std::function<void(QIODevice&)>& escribir) {
  try {
    plataforma::ArchivoQt archivo(ruta.toStdString());
    try {
      escribir(archivo);
    } catch (const ErrorSalida&) {
      // A write the file refused (a full disk) is told as the file's failure, naming it.
      if (!archivo.fallo().empty()) throw ErrorSalida(archivo.fallo());
      throw;
    }
    archivo.confirmar();
  } catch (const prjsumsal::Error& e) {
    throw ErrorSalida(e.what());
  }
}

}  // namespace suite::rendidor
