#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "export/entrega_pdf.h"
#include "lector.h"

namespace suite::rendidor::prueba {

namespace fs = std::filesystem;

struct Carpeta {
  QTemporaryDir dir;
  fs::path ruta() const { return dir.path().toStdString(); }
};

// A classified account with its period movements and its year-to-date balance.
inline prjsumsal::FilaBalance cuenta(const std::string& centro, const std::string& nombre,
                                     const std::string& grupo, double debe, double haber,
                                     double saldo) {
  prjsumsal::FilaBalance f{
      centro, nombre, grupo, debe, haber, saldo > 0 ? saldo : 0, saldo > 0 ? 0 : -saldo};
  prjsumsal::clasificar(f);
  return f;
}

// The two hand-over files as the module's own writer makes them, for the period 01/01/2026 -
// 31/03/2026 of "SUR & CIA LTDA", company 1.
struct Archivos {
  std::string datos, empresa;
};
inline Archivos archivos(const std::vector<prjsumsal::FilaBalance>& filas) {
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

inline void escribir(const fs::path& carpeta, const Archivos& a) {
  std::ofstream(carpeta / kArchivoDatos, std::ios::binary) << a.datos;
  std::ofstream(carpeta / kArchivoEmpresa, std::ios::binary) << a.empresa;
}

struct Corrida {
  int estado = -1;
  std::string salida, errores;
};
inline Corrida correr(const QString& programa, const QStringList& argumentos) {
  QProcess p;
  p.start(programa, argumentos);
  p.waitForFinished(-1);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}
inline Corrida rendir(const fs::path& carpeta) {
  return correr(RENDIDOR_EJECUTABLE, {"--carpeta", QString::fromStdString(carpeta.string())});
}

// The text of a PDF as pdftotext -layout lays it out, pages ending in a form feed.
inline std::string textoPdf(const fs::path& pdf) {
  return correr("pdftotext", {"-layout", QString::fromStdString(pdf.string()), "-"}).salida;
}

// The whole numbers of a line of the PDF's text, in order, "1.234" read as 1234.
inline std::vector<long long> cifras(const std::string& linea) {
  static const QRegularExpression cifra(QStringLiteral("(?<!\\S)-?\\d+(?:\\.\\d{3})*(?!\\S)"));
  std::vector<long long> r;
  for (const auto& m : cifra.globalMatch(QString::fromStdString(linea)))
    r.push_back(m.captured().remove('.').toLongLong());
  return r;
}

}  // namespace suite::rendidor::prueba
