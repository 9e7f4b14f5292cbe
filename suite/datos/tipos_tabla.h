#pragma once

#include <vector>

#include "datos/piezas.h"

namespace suite {

// The column types of a CREATE TABLE in the Jet dialect: text(n) becomes TEXT, double REAL and
// counter INTEGER. Jet's counter numbers rows by itself; SQLite does so for a column of type
// INTEGER that is the table's only primary key column, so a counter becomes INTEGER where it is
// that key and INTEGER PRIMARY KEY where the table has no key at all. A counter that cannot be
// the key raises an Error. Returns no edits for any other statement.
Cambios tiposDeTabla(const std::vector<Pieza>& p);

}  // namespace suite
