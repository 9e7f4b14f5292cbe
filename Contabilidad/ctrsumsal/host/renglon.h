#pragma once

#include <array>
#include <optional>
#include <string>

namespace prjsumsal {

// One printed row of the balance, as every document shows it: an account, or one of the closing
// rows "SUMAS", "RESULTADO EJERCICIO" and "TOTALES" (balance/cierre.h builds both). The eight
// amounts follow the columns Debitos, Creditos, Deudor, Acreedor, Activo, Pasivo, Perdidas,
// Ganancias, in pesos, as computed: a document rounds them when it writes them. An empty amount
// leaves its cell blank. It lives here because the host's text and the report engine print it.
struct Renglon {
  std::string codigo;  // account code; empty on a closing row
  std::string nombre;  // account name, or the closing row's label
  std::array<std::optional<double>, 8> montos;
};

}  // namespace prjsumsal
