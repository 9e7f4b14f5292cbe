#pragma once

#include <QString>

#include "balance/sumas.h"

namespace suite::rendidor {

// The line under the totals that tells the reader whether the balance squares: "Cuadra" when
// Debitos equal Creditos, Deudor equals Acreedor and each pair of totals is equal; otherwise
// "No cuadra: " and, for each pair that differs, which side is larger and by how much. The
// totals are the module's, from `sumas`; figures are compared as the document prints them, in
// whole pesos.
QString lineaCuadre(const prjsumsal::Sumas& sumas);

}  // namespace suite::rendidor
