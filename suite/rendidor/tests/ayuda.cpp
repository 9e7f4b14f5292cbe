#include "ayuda.h"

#include <QProcess>
#include <QRegularExpression>
#include <fstream>
#include <sstream>

#include "export/entrega_pdf.h"
#include "lector.h"

namespace rendidor::prueba {

prjsumsal::FilaBalance cuenta(const std::string& centro, const std::string& nombre,
                              const std::string& grupo, double debe, double haber, double saldo) {
  prjsumsal::FilaBalance f{
      centro, nombre, grupo, debe, haber, saldo > 0 ? saldo : 0, saldo > 0 ? 0 : -saldo};
  prjsumsal::clasificar(f);
  return f;
}

Archivos archivos(const std::vector<prjsumsal::FilaBalance>& filas) {
  std::ostringstream datos, empresa;
  prjsumsal::DatosPdf d(datos, {1, "SUR & CIA LTDA", "01/01/2026 - 31/03/2026", ","});
  d.abrir();
  for (const auto& f : filas) d.bloque(f);
  d.cerrar();
  prjsumsal::escribirEmpresaPdf(
      empresa, {1, "SUR & CIA LTDA", "ANA", "06/12/2026", "01/01/2026", "31/03/2026",
                "13.456.789-9", "Claudia Muñoz", "12345", "10.234.567-3", "Rodrigo Núñez"});
  return {datos.str(), empresa.str()};
}

void escribir(const fs::path& carpeta, const Archivos& a) {
  std::ofstream(carpeta / kArchivoDatos, std::ios::binary) << a.datos;
  std::ofstream(carpeta / kArchivoEmpresa, std::ios::binary) << a.empresa;
}

Corrida correr(const QString& programa, const QStringList& argumentos) {
  QProcess p;
  p.start(programa, argumentos);
  p.waitForFinished(-1);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

Corrida rendir(const fs::path& carpeta) {
  return correr(RENDIDOR_EJECUTABLE, {"--carpeta", QString::fromStdString(carpeta.string())});
}

std::string textoPdf(const fs::path& pdf) {
  return correr("pdftotext", {"-layout", QString::fromStdString(pdf.string()), "-"}).salida;
}

std::vector<long long> cifras(const std::string& linea) {
  static const QRegularExpression cifra(QStringLiteral("(?<!\\S)-?\\d+(?:\\.\\d{3})*(?!\\S)"));
  std::vector<long long> r;
  for (const auto& m : cifra.globalMatch(QString::fromStdString(linea)))
    r.push_back(m.captured().remove('.').toLongLong());
  return r;
}

}  // namespace rendidor::prueba
