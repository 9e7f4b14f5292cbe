#pragma once

#include <vector>

#include "datos/dialecto_jet.h"
#include "datos/piezas.h"

namespace suite::datos {

// The column types of a CREATE TABLE in the Jet dialect. Jet's counter numbers rows by itself;
// SQLite does so for a column of type INTEGER that is the table's only primary key column, so a
// counter becomes INTEGER where it is that key and INTEGER PRIMARY KEY where the table has no
// key at all; PostgreSQL numbers an identity column, which takes the same places. A counter that
// cannot be the key raises an Error. text(n) becomes unbounded text on both engines, so that a
// value longer than n is kept alike on both rather than refused by one of them; double becomes
// the engine's double-precision number. With `tablaDeSesion` the table is made TEMPORARY.
// Returns no edits for any other statement.
Cambios tiposDeTabla(const std::vector<Pieza>& p, Motor motor = Motor::Sqlite,
                     bool tablaDeSesion = false);

}  // namespace suite::datos
