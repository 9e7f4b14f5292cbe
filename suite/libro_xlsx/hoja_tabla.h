#pragma once

#include <string>
#include <variant>
#include <vector>

#include "host/escritor_xlsx.h"

namespace suite::libro_xlsx {

// A column of a HojaTabla: its header, whether it holds figures, its width to begin with.
struct ColumnaHoja {
  std::string titulo;
  bool cifra = false;  // whole amounts shown "#,##0", widened to their widest figure
  double ancho = 60;   // points
};

// What heads the sheet, as the printed balances head their pages.
struct CabezaHoja {
  std::string titulo{};   // "BALANCE TRIBUTARIO"
  std::string empresa{};  // the company's name
  std::string rut{};      // the company's RUT
  std::string periodo{};  // "01/01/2026 - 31/12/2026"
  std::string emision{};  // the issue date, "04/12/2026"
};

// One cell of a row: empty, a text, or an amount (rounded to whole units when written).
using CeldaHoja = std::variant<std::monostate, std::string, double>;

// A table of rows as an Office Open XML sheet, laid out on a writer the caller supplies (not
// owned): four heading rows (the title centred over every column, the company, "RUT: ...",
// "Período: ..." with "Emisión: ..." in the last column), a row of column headers, then the rows
// in boxes, a bold row for a closing line. For the host's own workbooks beside the balance's: last
// year beside this year, and the rows a viewer shows. Texts lose their control characters.
// Every member raises the writer's prjsumsal::Error; the workbook is then to be thrown away.
class HojaTabla {
 public:
  static constexpr int kFilasFijas = 5;  // the heading rows and the header row

  HojaTabla(prjsumsal::EscritorXlsx& escritor, std::vector<ColumnaHoja> columnas);

  // Writes the heading rows and the header row.
  void cabeza(const CabezaHoja& c);
  // Writes one row; cells beyond the columns are refused, missing ones are empty.
  void fila(const std::vector<CeldaHoja>& celdas, bool negrita = false);
  // Widens the figure columns to their widest figure. The caller then closes the writer.
  void terminar();

  // The sheet's design for `columnas`: named `hoja`, the heading rows kept in view and printed on
  // every page, landscape one page wide with its pages numbered, the document properties naming
  // the title, the company and the period.
  static prjsumsal::DisenoLibro diseno(const std::string& hoja, const CabezaHoja& c,
                                       const std::vector<ColumnaHoja>& columnas);

 private:
  prjsumsal::EscritorXlsx& escritor_;
  std::vector<ColumnaHoja> columnas_;
  std::vector<double> anchos_;  // the widest figure so far of each column, in points
  int fila_ = 0;                // the next row to write
};

}  // namespace suite::libro_xlsx
