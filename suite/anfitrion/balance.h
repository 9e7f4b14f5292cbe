#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "balance/consulta.h"
#include "host/base_datos.h"
#include "opciones.h"

namespace suite {

// One printed row of the balance: an account, or a closing row with an empty code and its label
// as the name. A closing row leaves empty (nullopt) the columns it has no amount for.
struct Renglon {
  std::string codigo;
  std::string nombre;
  std::array<std::optional<double>, 8> montos;
};

// The query of the balance that the options ask for: company, user and scope, the period's two
// days, the end day's year and the book key of --norma.
prjsumsal::Consulta consultaDe(const Opciones& o);

// Runs the balance computation in account order and returns one row per account followed by
// "SUMAS", "RESULTADO EJERCICIO" and "TOTALES". Raises the computation's Error.
std::vector<Renglon> calcularBalance(prjsumsal::BaseDatos& db, const prjsumsal::Consulta& c);

}  // namespace suite
