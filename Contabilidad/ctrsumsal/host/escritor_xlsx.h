#pragma once

#include <compare>
#include <string>
#include <vector>

namespace prjsumsal {

// How one cell of an Office Open XML workbook looks.
struct FormatoCelda {
  bool negrita = false;
  double puntos = 0;       // font size; 0 keeps the workbook's default
  bool centrado = false;   // centred across the cell
  bool alDerecha = false;  // against the cell's right edge
  std::string numero;      // number format such as "#,##0"; empty is the General format
  // Thin borders on each side.
  bool arriba = false, abajo = false, izquierda = false, derecha = false;

  auto operator<=>(const FormatoCelda&) const = default;
};

// The sheet as a whole: what the document says about itself, how wide its columns are at
// first, which rows stay in view and head every printed page, how it prints.
struct DisenoLibro {
  std::string hoja;            // the worksheet's name
  std::string titulo;          // document properties: title,
  std::string asunto;          // subject
  std::string empresa;         // and company
  std::vector<double> anchos;  // the width of each column from the first, in points
  // Rows at the top that stay in view while the rest scrolls, and print at the top of every page.
  int filasFijas = 0;
  bool apaisado = false;        // printed in landscape
  bool ajustarAncho = false;    // printed one page wide, as many pages long as it takes
  bool numerarPaginas = false;  // "Página N de M" at the foot of every printed page
};

// An Office Open XML workbook of one worksheet, written by a library of the host into the file
// it was created for (Plataforma::crearLibroXlsx). Rows go out as they are written, so that a
// long sheet is never held whole: a row's cells come in any order, but once a row below it has
// a cell, the row is done and a cell written into it is refused. cerrar() writes the whole file;
// before that the file may not exist at all. Rows and columns count from 0. Texts are valid UTF-8
// without control characters.
//
// Every member raises an Error with a Spanish description when it fails, after which the file
// is incomplete and the caller throws it away. Destroying a writer that was not closed frees it
// and writes nothing more.
class EscritorXlsx {
 public:
  virtual ~EscritorXlsx() = default;

  virtual void texto(int fila, int columna, const std::string& valor,
                     const FormatoCelda& formato) = 0;
  virtual void numero(int fila, int columna, double valor, const FormatoCelda& formato) = 0;
  // `valor` centred across the cells of row `fila` from `columna` to `hastaColumna`, which stay
  // separate cells; the format's borders run around the whole span.
  virtual void centrar(int fila, int columna, int hastaColumna, const std::string& valor,
                       const FormatoCelda& formato) = 0;
  // Makes a column `puntos` wide; at any time before cerrar().
  virtual void anchoColumna(int columna, double puntos) = 0;
  // Writes the workbook to its file, flushed to the disk, and closes it. Raises when the file
  // cannot be written whole (a folder that is gone, a full disk); nothing may be called after.
  virtual void cerrar() = 0;
};

}  // namespace prjsumsal
