#pragma once

#include <memory>

#include "balance/consulta.h"
#include "balance/fila_balance.h"
#include "host/base_datos.h"

namespace prjsumsal {

// One pass of the balance computation over the accounting database. The constructor opens the
// chart of accounts, the period statement and the year-to-date statement, in that order; each
// call of siguiente() then yields the next account, classified into the eight columns. It holds
// the three record sets and nothing more, so memory follows the number of accounts.
//
// Failures raise an Error: a statement the database rejects (its message), a null account code
// or a null sum (a description that names the account and the column).
class Calculo {
 public:
  Calculo(BaseDatos& db, const Consulta& consulta, Uso uso);
  ~Calculo();

  // Fills `fila` with the next account and returns true, or returns false after the last one.
  bool siguiente(FilaBalance& fila);

 private:
  std::unique_ptr<Registros> plan_;       // ctmcentros
  std::unique_ptr<Registros> periodo_;    // period sums per account
  std::unique_ptr<Registros> acumulado_;  // year-to-date sums per account
};

}  // namespace prjsumsal
