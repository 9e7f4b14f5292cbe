#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "balance/sumas.h"

namespace prjsumsal {

// One closing row of the balance: its label, shown under the account names, and its eight
// amounts in the order of FilaBalance's columns. "SUMAS" and "RESULTADO EJERCICIO" leave the
// four movement and balance columns empty; "TOTALES" fills all eight.
struct FilaCierre {
  std::string_view etiqueta;
  std::array<std::optional<double>, 8> importes;
};

// "SUMAS", "RESULTADO EJERCICIO" and "TOTALES", in that order, from the sums of the rows.
std::array<FilaCierre, 3> filasCierre(const Sumas& s);

}  // namespace prjsumsal
