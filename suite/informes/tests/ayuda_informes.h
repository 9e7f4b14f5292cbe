#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "balance/filabalance.h"
#include "host/basedatos.h"

namespace suite::informes::prueba {

// A report database in memory holding the work table, filled as a data preparation fills it:
// the module's own statements, one row per account, then the closing row.
std::shared_ptr<prjsumsal::BaseDatos> baseConTabla(const std::vector<prjsumsal::FilaBalance>& filas);

// The text a reader sees in a PDF, page by page (pdftotext -layout).
QStringList paginasPdf(const QString& ruta);

// A fresh temporary folder, removed with the object.
class Carpeta {
 public:
  Carpeta();
  ~Carpeta();
  QString ruta(const QString& nombre) const;
  std::string camino() const { return camino_; }

 private:
  std::string camino_;
};

}  // namespace suite::informes::prueba
