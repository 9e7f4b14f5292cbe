#pragma once

#include <ostream>
#include <vector>

#include "balance.h"

namespace suite {

// Writes the balance for a person at a terminal: a header line (Cuenta, Nombre and the eight
// column captions), then one aligned line per row, amounts rounded to whole pesos with their
// thousands grouped by ".", names padded by the columns they take on screen. Control characters
// in codes and names are shown as "?": they would act on the terminal instead of showing.
void escribirTabla(std::ostream& salida, const std::vector<Renglon>& renglones);

// Writes the balance for another program: one line per row, tab-separated, code, name and the
// eight amounts as whole numbers without separators (a half away from zero); an empty field
// where a closing row has no amount. No header line.
void escribirSeparado(std::ostream& salida, const std::vector<Renglon>& renglones);

}  // namespace suite
