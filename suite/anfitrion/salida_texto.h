#pragma once

#include <array>
#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "balance.h"

namespace suite::anfitrion {

// The balance as text, gathered a row at a time and written at the end, so that a failure
// half-way writes nothing. It keeps each row as the output shows it, in one block of text (a
// hundred bytes or so an account), not as Renglon values.
//
// For a person at a terminal (`alineada`): a header line (Cuenta, Nombre and the eight column
// captions), then one aligned line per row, amounts rounded to whole pesos with their thousands
// grouped by ".", names padded by the columns they take on screen; the widths are known only
// once every row is in. Control characters in codes and names are shown as "?": they would act
// on the terminal instead of showing.
//
// For another program: one line per row, tab-separated, code, name and the eight amounts as
// whole numbers without separators (a half away from zero); an empty field where a closing row
// has no amount. No header line.
class SalidaTexto {
 public:
  explicit SalidaTexto(bool alineada);
  void agregar(const Renglon& r);
  void escribir(std::ostream& salida) const;

 private:
  bool alineada_;
  void guardar(const std::string& fila);

  // Separated: the lines as written. Aligned: per row its code, name and eight amounts as shown,
  // each ended by a NUL (which visible() never leaves in a text). Rows go in blocks of about a
  // mebibyte, never split, so that growing never copies all the text at once.
  std::vector<std::string> bloques_;
  std::size_t anchoCodigo_, anchoNombre_;
  std::array<std::size_t, 8> ancho_;
};

// The same for rows already gathered.
void escribirTabla(std::ostream& salida, const std::vector<Renglon>& renglones);
void escribirSeparado(std::ostream& salida, const std::vector<Renglon>& renglones);

}  // namespace suite::anfitrion
