#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/registros.h"

namespace prjsumsal {

// A database object of the host: the accounting database `glbdb` or the report database
// `glbdbReport`. The host owns it; the class and the form hold shared references for the form's
// lifetime. Statements arrive in the Jet dialect (`#yyyy-mm-dd#` date literals, `year(x)`,
// the types `counter`, `text(n)`, `double`); the object translates them for its engine.
class BaseDatos {
 public:
  virtual ~BaseDatos() = default;

  // Runs a statement that changes data or schema. Returns nonzero on success and 0 when the
  // object reports failure without raising; a statement the engine rejects raises an Error
  // whose description is the engine's message.
  virtual long executesql(const std::string& sentencia) = 0;

  // Opens a record set over a SELECT. The second form takes the option the host's grouped
  // queries pass (the 16-bit integer 4); both give the same rows. Raises an Error with the
  // engine's message when the statement is rejected.
  virtual std::unique_ptr<Registros> newrecord(const std::string& sentencia) = 0;
  virtual std::unique_ptr<Registros> newrecord(const std::string& sentencia,
                                               std::int16_t opcion) = 0;

  // A text that ends in the database file's path, possibly after a connection prefix such as
  // "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=".
  virtual std::string Name() const = 0;
};

}  // namespace prjsumsal
