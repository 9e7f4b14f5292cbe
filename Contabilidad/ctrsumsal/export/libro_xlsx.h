#pragma once

#include <string>
#include <string_view>

#include "balance/fila_balance.h"
#include "balance/sumas.h"
#include "host/escritor_xlsx.h"

namespace prjsumsal {

// The balance as an Office Open XML workbook, laid out cell by cell on a writer the host
// supplies: the sheet of the XML Spreadsheet 2003 workbook (LibroExcel) with the same rows,
// texts and figures, the code in a Number cell where that workbook has one, amounts rounded to
// whole units and shown "#,##0", the three closing rows in bold. The writer is not owned. Every
// member raises an Error when the writer fails ("Desbordamiento" for an amount that is not a
// finite number), after which the workbook is incomplete and must be thrown away.
class LibroXlsx {
 public:
  explicit LibroXlsx(EscritorXlsx& escritor) : escritor_(escritor) {}

  // Writes the two heading rows, with the company name in the first, and the column headers.
  void cabeza(std::string_view empresa);
  // Writes the account's row and adds its eight amounts to the sums.
  void fila(const FilaBalance& fila);
  // Writes "SUMAS", "RESULTADO EJERCICIO" and "TOTALES", and closes the writer.
  void cierre();
  // The sums of the rows written so far.
  const Sumas& sumas() const { return sumas_; }

 private:
  void importe(int columna, double valor, const FormatoCelda& formato);

  EscritorXlsx& escritor_;
  int fila_ = 0;  // the next row to write
  Sumas sumas_;
};

// What the sheet is besides its cells: its name, the column widths of the 2003 workbook, the
// heading and header rows kept in view, landscape printing one page wide, and the document
// properties naming the company and the period ("01/01/2026 al 31/12/2026").
DisenoLibro disenoLibroXlsx(std::string_view empresa, std::string_view desde,
                            std::string_view hasta);

// Whether `ruta` names an Office Open XML workbook: it ends in ".xlsx", in any case.
bool esRutaXlsx(std::string_view ruta);

}  // namespace prjsumsal
