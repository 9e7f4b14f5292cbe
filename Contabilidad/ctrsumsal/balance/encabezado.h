#pragma once

#include <string>

#include "host/base_datos.h"

namespace prjsumsal {

// The company header: eight texts from the first row of " select * from admempresa ", each the
// column's text or the empty text when it is null.
struct Encabezado {
  std::string rep_legal, provincia, ruc, n_empresa, n_comercial, direccion, ciudad, telefonos;
};

// Reads the company header through `db.newrecord`. Raises when the table is empty (there is no
// row to read) or the statement is rejected.
Encabezado leerEncabezado(BaseDatos& db);

}  // namespace prjsumsal
