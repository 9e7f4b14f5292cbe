#pragma once

#include <memory>
#include <string>

#include "datos/traza.h"
#include "host/registros.h"

struct sqlite3;

namespace suite::datos {

// Runs one SELECT on `db` and reads all its rows into memory. The engine's errors raise an
// ErrorSqlite that names the database by its role and file `nombre`.
std::unique_ptr<prjsumsal::Registros> leerEn(sqlite3* db, const std::string& sql, Papel papel,
                                             const std::string& nombre);

// A record set of one SELECT on `db` read forward, one row at a time: the current row is the
// statement's, which keeps its read of the database open until the set reaches its end or is
// dropped. Errors of the first row are raised here, like those of a set read whole.
std::unique_ptr<prjsumsal::Registros> leerAvanzando(sqlite3* db, const std::string& sql,
                                                    Papel papel, const std::string& nombre);

}  // namespace suite::datos
