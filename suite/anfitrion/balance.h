#pragma once

#include <functional>
#include <vector>

#include "balance/consulta.h"
#include "balance/sumas.h"
#include "host/base_datos.h"
#include "host/renglon.h"
#include "opciones.h"

namespace suite::anfitrion {

using prjsumsal::Renglon;

// The query of the balance that the options ask for: company, user and scope, the period's two
// days, the end day's year and the book key of --norma.
prjsumsal::Consulta consultaDe(const Opciones& o);

// The balance as the host prints it: one row per account in account order, then "SUMAS",
// "RESULTADO EJERCICIO" and "TOTALES" (prjsumsal::renglonesCierre), and the sums they close.
struct BalanceImpreso {
  std::vector<Renglon> renglones;
  prjsumsal::Sumas sumas;
};

// Runs the balance computation. Raises the computation's Error.
BalanceImpreso calcularBalance(prjsumsal::BaseDatos& db, const prjsumsal::Consulta& c);

// The same, handing each row to `renglon` as it comes, closing rows included, without keeping
// them; returns the sums.
prjsumsal::Sumas calcularBalance(prjsumsal::BaseDatos& db, const prjsumsal::Consulta& c,
                                 const std::function<void(const Renglon&)>& renglon);

}  // namespace suite::anfitrion
