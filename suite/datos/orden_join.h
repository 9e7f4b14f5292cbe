#pragma once

#include <vector>

#include "datos/piezas.h"

namespace suite::datos {

// Plans a join of two tables written with a comma, `FROM t1 x, t2 y WHERE ...`, as the statement
// is written: the first table drives and each row of the second is looked up by its key.
//
// Without planner statistics SQLite carries a range on x's column over to y's through an
// equality x.c = y.c and may then prefer that range to the key: the whole range of y is read
// for every row of x, minutes instead of a fraction of a second on a year of journal lines. So
// the comma becomes CROSS JOIN (SQLite keeps that order) and the x side of each equality x.c =
// y.c among the ANDed conditions gets a unary plus, which gives the same comparison but is not
// carried over. Any other shape of statement (more tables, an OR or BETWEEN among the
// conditions) is left as it is. Adds its edits to `cambios`.
void ordenarJoin(const std::vector<Pieza>& p, Cambios& cambios);

}  // namespace suite::datos
