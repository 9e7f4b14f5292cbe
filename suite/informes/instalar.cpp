#include "informes/instalar.h"

#include <QFile>
#include <QSaveFile>

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
    QSaveFile salida(QString::fromStdString(destino.string()));
    if (!salida.open(QIODevice::WriteOnly) || salida.write(origen.readAll()) < 0 ||
        !salida.commit()) {
      throw prjsumsal::Error("No se puede escribir el archivo de informe " + destino.string() +
                             ": " + salida.errorString().toStdString());
    }
    ++escritos;
  }
  return escritos;
}

int instalarJuntoALaBase(const std::string& nombreBase) {
  std::filesystem::path informe = prjsumsal::archivoInforme(nombreBase, "");
  return instalarArchivosInforme(std::filesystem::absolute(informe).parent_path());
}

}  // namespace suite::informes
