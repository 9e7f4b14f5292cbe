#pragma once

#include <array>
#include <optional>
#include <string>

#include "balance/fila_balance.h"
#include "balance/sumas.h"
#include "host/renglon.h"

namespace prjsumsal {

// The rows every document of the balance prints (the preview and the print, RENDIDOR's PDF, the
// workbook, the host's text) and the one check of whether it squares. Each document adds its
// accounts to a Sumas as it writes them and closes with renglonesCierre and lineaCuadre, so the
// closing figures and the check are the same, to the peso and to the word, in all of them.
//
// Rounding: an amount is rounded to whole pesos, a half away from zero, only when a document
// writes it. The closing figures come from the sums of the amounts the document adds (Sumas, in
// the order of its rows), never from rounded figures; the report engine adds the work table's
// amounts, which that table holds already rounded.

// The account's printed row: code, name and its eight amounts as computed.
Renglon renglonCuenta(const FilaBalance& fila);

// "SUMAS", "RESULTADO EJERCICIO" and "TOTALES", as doubles that the document rounds when it
// writes them.
// - SUMAS: the sums of Activo, Pasivo, Perdidas and Ganancias; the four left cells blank.
// - RESULTADO EJERCICIO: in each pair (Activo/Pasivo, Perdidas/Ganancias), the difference of its
//   sums on its smaller side, 0 on the other (equal sums: 0 on both).
// - TOTALES: the sums of Debitos, Creditos, Deudor and Acreedor, then each of the four right-hand
//   sums plus its result, so that the pairs close.
// Raises Error(kDesbordamiento) when a difference or a total is not a finite number.
std::array<Renglon, 3> renglonesCierre(const Sumas& sumas);

// The check line printed under the closing rows: "Cuadra" when Debitos equal Creditos and Deudor
// equals Acreedor, compared as the documents write them (each sum with the pattern "0");
// otherwise "El balance no
// cuadra: " and, for each pair that differs, "Debitos supera a Creditos en 1.500" (the larger
// side first, the difference grouped with "."), pairs joined by "; ". Journal amounts that the
// database could not read as numbers are the usual cause.
std::string lineaCuadre(const Sumas& sumas);

// Whether lineaCuadre says the balance squares.
bool cuadra(const Sumas& sumas);

// Adds `fila` to sums kept only for the check line of a document that writes no closing rows
// (the work table, the hand-over files): an overflow empties `sumas`, so that document goes on
// without a check line instead of failing over figures it does not write.
void agregarParaCuadre(std::optional<Sumas>& sumas, const FilaBalance& fila);

}  // namespace prjsumsal
