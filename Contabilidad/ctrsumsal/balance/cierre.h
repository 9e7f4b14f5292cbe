#pragma once

#include <array>
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
// Rounding: an account's amounts are shown rounded to whole pesos, a half away from zero. The
// closing figures are not the sums of those rounded rows: they come from the exact sums of the
// accounts' amounts to the cent (Sumas), rounded to whole pesos once, when shown.

// The account's printed row: code, name and its eight amounts as computed.
Renglon renglonCuenta(const FilaBalance& fila);

// "SUMAS", "RESULTADO EJERCICIO" and "TOTALES", in whole pesos.
// - SUMAS: the sums of Activo, Pasivo, Perdidas and Ganancias; the four left cells blank.
// - RESULTADO EJERCICIO: in each pair (Activo/Pasivo, Perdidas/Ganancias), the difference of its
//   sums on its smaller side, 0 on the other. When the journal squares (Deudor equals Acreedor)
//   both pairs differ by the same amount to the cent, so the result of the year is one figure.
// - TOTALES: the sums of Debitos, Creditos, Deudor and Acreedor, then for each pair its larger
//   sum on both sides, so that the pairs close.
std::array<Renglon, 3> renglonesCierre(const Sumas& sumas);

// The check line printed under the closing rows: "Cuadra" when Debitos equal Creditos and Deudor
// equals Acreedor, compared as the document shows them (whole pesos); otherwise "El balance no
// cuadra: " and, for each pair that differs, "Debitos supera a Creditos en 1.500" (the larger
// side first, the difference grouped with "."), pairs joined by "; ". Journal amounts that the
// database could not read as numbers are the usual cause.
std::string lineaCuadre(const Sumas& sumas);

// Whether lineaCuadre says the balance squares.
bool cuadra(const Sumas& sumas);

}  // namespace prjsumsal
