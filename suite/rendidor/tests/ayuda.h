#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <filesystem>
#include <string>
#include <vector>

#include "balance/filabalance.h"

namespace rendidor::prueba {

namespace fs = std::filesystem;

struct Carpeta {
  QTemporaryDir dir;
  fs::path ruta() const { return dir.path().toStdString(); }
};

// A classified account with its period movements and its year-to-date balance.
prjsumsal::FilaBalance cuenta(const std::string& centro, const std::string& nombre,
                              const std::string& grupo, double debe, double haber, double saldo);

// The two hand-over files as the module's own writer makes them, for the period 01/01/2026 -
// 31/03/2026 of "SUR & CIA LTDA", company 1.
struct Archivos {
  std::string datos, empresa;
};
Archivos archivos(const std::vector<prjsumsal::FilaBalance>& filas);
void escribir(const fs::path& carpeta, const Archivos& a);

struct Corrida {
  int estado = -1;
  std::string salida, errores;
};
Corrida correr(const QString& programa, const QStringList& argumentos);
Corrida rendir(const fs::path& carpeta);

// The text of a PDF as pdftotext -layout lays it out, pages ending in a form feed.
std::string textoPdf(const fs::path& pdf);

// The whole numbers of a line of the PDF's text, in order, "1.234" read as 1234.
std::vector<long long> cifras(const std::string& linea);

}  // namespace rendidor::prueba
