#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "balance/fila_balance.h"
#include "balance/sumas.h"

namespace prjsumsal {

// The XML Spreadsheet 2003 workbook of the balance, written to a stream while it is produced:
// the head, one row per account as the computation yields it, then the rows "SUMAS",
// "RESULTADO EJERCICIO" and "TOTALES" and the tail. Lines end in CR LF; text is UTF-8 with the
// characters XML reserves escaped. The stream is not owned. Every member raises an Error when
// the stream fails ("Desbordamiento" for an amount that is not a finite number), after which
// the workbook is incomplete and must be thrown away.
class LibroExcel {
 public:
  explicit LibroExcel(std::ostream& salida) : salida_(salida) {}

  // Writes the head, with the company name in sheet row 1.
  void cabeza(std::string_view empresa);
  // Writes the account's row and adds its eight amounts to the sums.
  void fila(const FilaBalance& fila);
  // Writes the three summary rows and the tail, and flushes the stream.
  void cierre();
  // The sums of the rows written so far.
  const Sumas& sumas() const { return sumas_; }

 private:
  std::ostream& salida_;
  Sumas sumas_;
};

// True when `centro` can go into a Number cell and be read back and shown as the same text: 1
// to 11 digits (past 11 the General format shows a number in scientific notation) and no
// leading zero ("0" itself included). Other codes ("1101-01", "0101", "1.1") go into a String
// cell, since a Number cell would read them as another number.
bool codigoNumerico(std::string_view centro);

}  // namespace prjsumsal
