#pragma once

#include <compare>
#include <string>
#include <vector>

namespace prjsumsal {

// How one cell of an Office Open XML workbook looks.
struct FormatoCelda {
  bool negrita = false;
  double puntos = 0;      // font size; 0 keeps the workbook's default
  bool centrado = false;  // centred across the cell
  std::string numero;     // number format such as "#,##0"; empty is the General format
  // Thin borders on each side.
  bool arriba = false, abajo = false, izquierda = false, derecha = false;

  auto operator<=>(const FormatoCelda&) const = default;
};

// The sheet as a whole: what the document says about itself, how wide its columns are, which
// rows stay in view, how it prints.
struct DisenoLibro {
  std::string hoja;            // the worksheet's name
  std::string titulo;          // document properties: title,
  std::string asunto;          // subject
  std::string empresa;         // and company
  std::vector<double> anchos;  // the width of each column from the first, in points
  int filasFijas = 0;          // rows at the top that stay in view while the rest scrolls
  bool apaisado = false;       // printed in landscape
  bool ajustarAncho = false;   // printed one page wide, as many pages long as it takes
};

// An Office Open XML workbook of one worksheet, written by a library of the host into the file
// it was created for (Plataforma::crearLibroXlsx). It keeps the cells until cerrar(), which
// writes the whole file; before that the file may not exist at all. Rows and columns count from
// 0. Texts are valid UTF-8 without control characters.
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
  // One cell over the rectangle from (fila, columna) to (hastaFila, hastaColumna), holding
  // `valor`; the cells it covers carry the same format, so borders run around the whole.
  virtual void combinar(int fila, int columna, int hastaFila, int hastaColumna,
                        const std::string& valor, const FormatoCelda& formato) = 0;
  // Writes the workbook to its file, flushed to the disk, and closes it. Raises when the file
  // cannot be written whole (a folder that is gone, a full disk); nothing may be called after.
  virtual void cerrar() = 0;
};

}  // namespace prjsumsal
