#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "balance/fila_balance.h"
#include "balance/sumas.h"
#include "host/escritor_xlsx.h"

namespace prjsumsal {

// What heads the sheet besides the company's name, as the printed balances head their pages.
struct CabezaXlsx {
  std::string rut;      // the company's RUT
  std::string periodo;  // "01/01/2026 - 31/12/2026"
  std::string emision;  // the issue date, "04/12/2026"
};

// The balance as an Office Open XML workbook, laid out row by row on a writer the host
// supplies: headed as the printed balances are (title, company and RUT, period and issue date),
// then the account and closing rows of the XML Spreadsheet 2003 workbook (LibroExcel) with the
// same texts and figures, the code in a Number cell where that workbook has one, amounts rounded
// to whole units and shown "#,##0", the three closing rows in bold. The amount columns are made
// as wide as their widest figure. The writer is not owned. Every member raises an Error when the
// writer fails ("Desbordamiento" for an amount that is not a finite number), after which the
// workbook is incomplete and must be thrown away.
class LibroXlsx {
 public:
  LibroXlsx(EscritorXlsx& escritor, CabezaXlsx cabeza)
      : escritor_(escritor), cabeza_(std::move(cabeza)) {}

  // Writes the heading rows, naming the company `empresa`, and the column headers.
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
  CabezaXlsx cabeza_;
  int fila_ = 0;  // the next row to write
  Sumas sumas_;
  double anchos_[8] = {};  // the widest figure so far of each amount column, in points
};

// What the sheet is besides its cells: its name, the column widths of the 2003 workbook to begin
// with, the heading rows kept in view and printed on every page, landscape printing one page
// wide with its pages numbered, and the document properties naming the company and the period
// ("01/01/2026 - 31/12/2026").
DisenoLibro disenoLibroXlsx(std::string_view empresa, std::string_view desde,
                            std::string_view hasta);

// Whether `ruta` names an Office Open XML workbook: it ends in ".xlsx", in any case.
bool esRutaXlsx(std::string_view ruta);

}  // namespace prjsumsal
