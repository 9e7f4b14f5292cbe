#pragma once

#include <string>

#include "datos/error_sqlite.h"
#include "datos/traza.h"

struct sqlite3;
struct sqlite3_stmt;

namespace suite::datos {

// The engine's last error on `db` as an ErrorSqlite. The engine's message about a table or column
// that is not there names neither the database nor its file; with two databases open the user
// needs both. The well-known refusals are explained first (explicacion.h).
ErrorSqlite errorEn(sqlite3* db, Papel papel, const std::string& nombre);

// A prepared statement, finalised when it goes out of scope.
class Preparada {
 public:
  // Prepares the only statement of `sql`. Text after it other than blanks and semicolons is
  // refused: a value that breaks its quotes must not smuggle in a second statement. The engine's
  // errors name the database by its role and file.
  Preparada(sqlite3* db, const std::string& sql, Papel papel, const std::string& nombre);
  ~Preparada();
  Preparada(const Preparada&) = delete;
  Preparada& operator=(const Preparada&) = delete;

  sqlite3_stmt* get() const { return stmt_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace suite::datos
