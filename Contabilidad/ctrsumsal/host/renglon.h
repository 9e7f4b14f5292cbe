#pragma once

#include <array>
#include <optional>
#include <string>

namespace prjsumsal {

// One printed row of the balance, as every document shows it: an account, or one of the closing
// rows "SUMAS", "RESULTADO EJERCICIO" and "TOTALES" (balance/cierre.h builds both). The eight
// amounts follow the columns Debitos, Creditos, Deudor, Acreedor, Activo, Pasivo, Perdidas,
// Ganancias, in pesos: an account's as computed, a closing row's already whole. An empty amount
// leaves its cell blank. Amounts are long double so that a closing row's whole pesos stay exact
// past the 2^53 a double holds. It lives here because the report engine receives the closing rows.
struct Renglon {
  std::string codigo;  // account code; empty on a closing row
  std::string nombre;  // account name, or the closing row's label
  std::array<std::optional<long double>, 8> montos;
};

}  // namespace prjsumsal
