#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "balance/fila_balance.h"
#include "host/base_datos.h"

namespace suite::informes::prueba {

// A report database in memory whose work table a data preparation filled with `filas`: the
// module's own statements, one row per account, then the closing row.
std::shared_ptr<prjsumsal::BaseDatos> baseConTabla(
    const std::vector<prjsumsal::FilaBalance>& filas);

// The text a reader sees on each page of a PDF (pdftotext -layout), every run of blanks one.
QStringList paginasPdf(const QString& ruta);

}  // namespace suite::informes::prueba
