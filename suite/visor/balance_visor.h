#pragma once

#include <QString>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "balance/consulta.h"
#include "host/base_datos.h"
#include "host/renglon.h"

namespace suite::visor {

// The amount columns the viewer shows: the balance's eight, then, when it compares with last
// year, the year-to-date balance (debit positive), last year's and their difference.
inline constexpr int kOcho = 8;
inline constexpr int kMontos = 11;
using Montos = std::array<double, kMontos>;

// One account of the balance as the viewer holds it: amounts in pesos as computed (rounded
// only when shown) and the text that find-as-you-type looks in.
struct CuentaVisor {
  std::string codigo;
  std::string nombre;
  Montos montos{};
  QString busqueda;  // code and name, case-folded and without accents (clave())
};

// The balance the viewer shows: its accounts in the order of their codes, the closing rows of
// the documents (prjsumsal::renglonesCierre), the check line (prjsumsal::lineaCuadre), and the
// names the chart gives to the title accounts that head the subtotal levels.
struct BalanceVisor {
  prjsumsal::Consulta consulta;
  bool comparar = false;
  std::vector<CuentaVisor> cuentas;
  std::array<prjsumsal::Renglon, 3> cierre;
  std::string cuadre;
  bool cuadra = true;
  // With comparar: each year's result (RESULTADO EJERCICIO, a profit positive), in pesos.
  double resultadoActual = 0, resultadoAnterior = 0;
  std::map<std::string, std::string> titulos;  // code of a title account -> its name
};

// Runs the balance's own computation (prjsumsal::Calculo, or suite::mayor::comparar when
// `comparar`) for `c` on `db` and gathers what the viewer shows; then reads the names of the
// title accounts of the levels in `niveles` (lengths of code prefixes). Raises the
// computation's prjsumsal::Error (also a cancellation raised by a watched database).
BalanceVisor cargarBalance(prjsumsal::BaseDatos& db, const prjsumsal::Consulta& c, bool comparar,
                           const std::vector<int>& niveles);

// `texto` case-folded, with its accents taken off ("Depósito" -> "deposito"), as the viewer
// compares what is typed with codes and names.
QString clave(const QString& texto);

}  // namespace suite::visor
