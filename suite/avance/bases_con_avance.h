#pragma once

#include <memory>

#include "avance.h"
#include "host/base_datos.h"

namespace suite::avance {

// The host's two database objects as they are handed to the balance form when its progress is
// shown: they do the same work, and on the way tell an Avance what it is. The module's own
// statements are not touched; the stages are read from what reaches the databases:
//   - a grouped statement of the accounting database running: "Leyendo el diario";
//   - a row of it moved past: an account computed ("Calculando las cuentas"), out of the rows
//     of the last grouped statement, one per account with movement in the year;
//   - an insert into the work table: an account written ("Llenando la tabla de trabajo");
//   - a statement of the report database read row by row: "Leyendo la tabla de trabajo".
class SeguimientoBases {
 public:
  explicit SeguimientoBases(Avance& avance);
  ~SeguimientoBases();

  std::shared_ptr<prjsumsal::BaseDatos> contabilidad(std::shared_ptr<prjsumsal::BaseDatos> base);
  std::shared_ptr<prjsumsal::BaseDatos> informes(std::shared_ptr<prjsumsal::BaseDatos> base);

  struct Estado;

 private:
  std::shared_ptr<Estado> estado_;  // shared with the objects made, which may outlive this
};

}  // namespace suite::avance
