#pragma once

#include <string>

#include "datos/traza.h"

namespace suite::datos {

// What the engines' well-known refusals mean for the user, said in Spanish before the engine's
// own text, which stays for support. Each takes the engine's message and returns the one to
// show: the explanation followed by the engine's text in parentheses, or the engine's text
// alone when the refusal is none of these.
//
// SQLite (the extended result code `codigo`): a database busy with another program's writes
// (SQLITE_BUSY), one that may not be written (SQLITE_READONLY), a table of the database's role
// that is missing ("no such table: ctmcentros" in the accounting database).
std::string explicarSqlite(int codigo, const std::string& mensaje, Papel papel,
                           const std::string& nombre);

// PostgreSQL (the SQLSTATE `estado`): a database that is read-only (25006, and 0A000 for the
// serializable transaction a hot standby refuses), a table of the database's role that is
// missing (42P01).
std::string explicarPostgres(const std::string& estado, const std::string& mensaje, Papel papel,
                             const std::string& destino);

// The explanation of a file SQLite refuses to open as a database (SQLITE_NOTADB), with the
// engine's text after it; empty for any other code.
std::string explicarApertura(int codigo, const std::string& mensaje, const std::string& nombre);

}  // namespace suite::datos
