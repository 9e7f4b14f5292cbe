#include "informes/instalar.h"

#include <QCryptographicHash>
#include <QFile>

#include "export/archivo_seguro.h"
#include "form/ruta_informe.h"
#include "host/error.h"

namespace suite::informes {

namespace {

// The SHA-256 of every report file shipped before the current ones, as they were shipped. Such
// a file was never changed by a user, so it gives way to the current version.
constexpr const char* kAnteriores[] = {
    // Column headings without accents ("Debitos", "Creditos", "Perdidas").
    "377fcac23d5aee999c7d5d6484111c4530bc7257b7b5ae291b7323b923505ed5",
    "d2c77a1f68278e330a0e7a1eb7e06fe1ba10354374e43b20e81513b51c5e5350",
    "d55ad9e063cd6ed522c5b575d6a37043a229dff61a27ec27a87a013f515a1eca",
    "e6a9845ecfc58110fe7322d0df49639bbf567f5be42b8707037a6b27ff77bbdd",
    "c8cfacd5a7e9337007894957d24f5f2ee28b10e44e5004bc3fefcf0d76d9f49f",
    "0f73e6c9d9aa8fac28a360c490dfa10e51af8b8f1675ac03e5be8495a80398a9",
    "8a19fab244a8084232c9ff2b61f449732d4f4bc63006c45c8dd252d87b0d33c0",
};

// Whether the file at `ruta` is missing, or one shipped before and left unchanged.
bool porReemplazar(const std::filesystem::path& ruta) {
  std::error_code ec;
  if (!std::filesystem::exists(ruta, ec)) return !ec;
  if (!std::filesystem::is_regular_file(ruta, ec) || std::filesystem::file_size(ruta, ec) > 4096)
    return false;
  QFile archivo(QString::fromStdString(ruta.string()));
  if (!archivo.open(QIODevice::ReadOnly)) return false;
  const QByteArray huella =
      QCryptographicHash::hash(archivo.readAll(), QCryptographicHash::Sha256).toHex();
  for (const char* anterior : kAnteriores) {
    if (huella == anterior) return true;
  }
  return false;
}

}  // namespace

int instalarArchivosInforme(const std::filesystem::path& carpeta) {
  int escritos = 0;
  for (const char* codigo : {"", "2", "3", "4", "5"}) {
    std::string nombre = std::string("ctrsumsal") + codigo + ".rpt";
    std::filesystem::path destino = carpeta / nombre;
    if (!porReemplazar(destino)) continue;
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
