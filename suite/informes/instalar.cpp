#include "informes/instalar.h"

#include <QFile>

#include "export/archivo_seguro.h"
#include "form/ruta_informe.h"
#include "host/error.h"

namespace suite::informes {

int instalarArchivosInforme(const std::filesystem::path& carpeta) {
  int escritos = 0;
  for (const char* codigo : {"", "2", "3", "4", "5"}) {
    std::string nombre = std::string("ctrsumsal") + codigo + ".rpt";
    std::filesystem::path destino = carpeta / nombre;
    std::error_code ec;
    if (std::filesystem::exists(destino, ec) || ec) continue;
    QFile origen(QStringLiteral(":/informes/") + QString::fromStdString(nombre));
    if (!origen.open(QIODevice::ReadOnly)) {
      throw prjsumsal::Error("Falta el archivo de informe incorporado " + nombre);
    }
    const QByteArray texto = origen.readAll();
    prjsumsal::ArchivoSeguro salida(destino.string());
    salida.escribir(texto.constData(), static_cast<std::size_t>(texto.size()));
    salida.confirmar();
    ++escritos;
  }
  return escritos;
}

int instalarJuntoALaBase(const std::string& nombreBase) {
  std::filesystem::path informe = prjsumsal::archivoInforme(nombreBase, "");
  return instalarArchivosInforme(std::filesystem::absolute(informe).parent_path());
}

}  // namespace suite::informes
