#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace suite::mayor {

// Which accounts a ledger covers: each code of `cuentas` exactly, and every account whose code
// begins with one of `prefijos` (a prefix "11" takes 11, 1101, 110201 ...). Codes are compared
// byte for byte, as the database keeps them.
struct Seleccion {
  std::vector<std::string> cuentas;
  std::vector<std::string> prefijos;

  // Whether the selection takes the account `centro`.
  bool contiene(std::string_view centro) const;

  // The condition, in the Jet dialect and between parentheses, that a row's account `columna`
  // (such as "a.centro") meets when the selection takes it; "(1=0)" for an empty selection.
  // Quotes inside the codes are doubled, so that no code can change the statement.
  std::string condicion(std::string_view columna) const;
};

}  // namespace suite::mayor
