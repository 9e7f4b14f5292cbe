#pragma once

#include <string_view>

#include "host/valor.h"

namespace prjsumsal {

// One column of the current row of a record set, as `fields(name)` gives it.
struct Campo {
  Valor Value;  // the column's value; null when the column is null
};

// A record set returned by the host's `newrecord`: the rows of one SELECT, read forward, with a
// search by criterion. The caller owns it; dropping it ends it. Every member may raise an Error
// whose description is the database's or the object's own message.
class Registros {
 public:
  virtual ~Registros() = default;

  // True when there is no current row: the set is empty, or MoveNext went past the last row.
  // (The host calls this property EOF; the C library reserves that name as a macro.)
  virtual bool eof() const = 0;

  // Moves to the next row. Raises when there is no current row.
  virtual void MoveNext() = 0;

  // The column `nombre` of the current row. Raises when there is no current row or no column
  // of that name.
  virtual Campo fields(std::string_view nombre) const = 0;

  // Positions on the first row of the set that meets `criterio`, a condition text such as
  // "centro='1101'" (blanks around the parts allowed, a quote inside the value doubled). When no
  // row meets it, nomatch() becomes true and the current row is unchanged. A criterion the
  // object cannot evaluate raises an Error that names it.
  virtual void findfirst(std::string_view criterio) = 0;

  // True when the last findfirst found no row; false before any findfirst.
  virtual bool nomatch() const = 0;
};

}  // namespace prjsumsal
