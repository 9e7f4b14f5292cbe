#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/disco.h"
#include "libro_xlsx/hoja_tabla.h"
#include "modelo_balance.h"

namespace suite::visor {

// One row of what the viewer shows, as a file takes it: texts in the first two cells, amounts
// (rounded to whole pesos when written) or blanks after; `destacada` for subtotals, the closing
// rows and the check line.
struct FilaExportada {
  std::string codigo, nombre;
  std::vector<std::optional<double>> montos;
  bool destacada = false;
};

// What the table shows, in its order: the header's captions, each row of the Vista (subtotals
// included, hidden accounts left out), then the closing rows and the check line.
struct TablaExportada {
  std::vector<std::string> titulos;
  std::vector<FilaExportada> filas;
};
TablaExportada tablaMostrada(const ModeloBalance& balance, const ModeloCierre& cierre);

// The table as CSV for a spreadsheet set to Spanish: UTF-8 with its byte order mark, fields
// separated by ";", amounts in whole pesos without separators, lines ended by CRLF. A text is
// quoted when it holds a ";", a quote or a line end; one that a spreadsheet would take for a
// formula (it starts with "=", "+", "-", "@", a tab or a carriage return) gets a leading "'",
// so that a name in the chart can never run as a formula.
void escribirCsv(std::ostream& salida, const TablaExportada& tabla);

// Writes the table to `ruta` through the one safe path (prjsumsal::ArchivoSeguro, on `disco`,
// null for the platform's): as CSV, or as an Office Open XML workbook when the name ends in
// .xlsx (libro_xlsx::HojaTabla), headed with `cabeza`'s company, RUT and issue date and the
// balance's period. Either takes the file's place only when complete. Raises prjsumsal::Error
// naming the file.
void exportar(const std::string& ruta, const TablaExportada& tabla, const BalanceVisor& balance,
              const libro_xlsx::CabezaHoja& cabeza, prjsumsal::Disco* disco = nullptr);

}  // namespace suite::visor
