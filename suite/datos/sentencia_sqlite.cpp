#include "datos/sentencia_sqlite.h"

#include <sqlite3.h>

#include <cctype>

#include "datos/explicacion.h"

namespace suite::datos {

ErrorSqlite errorEn(sqlite3* db, Papel papel, const std::string& nombre) {
  std::string mensaje = sqlite3_errmsg(db);
  std::string explicado = explicarSqlite(sqlite3_extended_errcode(db), mensaje, papel, nombre);
  if (explicado != mensaje) return ErrorSqlite(explicado, sqlite3_extended_errcode(db));
  for (const char* falta : {"no such table", "no such column", "has no column named"}) {
    if (mensaje.find(falta) != std::string::npos) {
      mensaje += " (base de datos de " + std::string(nombrePapel(papel)) + " " + nombre + ")";
      break;
    }
  }
  return ErrorSqlite(mensaje, sqlite3_extended_errcode(db));
}

Preparada::Preparada(sqlite3* db, const std::string& sql, Papel papel, const std::string& nombre) {
  const char* resto = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, &resto) !=
      SQLITE_OK) {
    throw errorEn(db, papel, nombre);
  }
  for (const char* c = resto; c != nullptr && *c != '\0'; ++c) {
    if (!std::isspace(static_cast<unsigned char>(*c)) && *c != ';') {
      sqlite3_finalize(stmt_);
      throw ErrorSqlite("Se admite una sola sentencia por llamada; sobra: " + std::string(c),
                        SQLITE_MISUSE);
    }
  }
  if (stmt_ == nullptr) throw ErrorSqlite("La sentencia está vacía", SQLITE_MISUSE);
}

Preparada::~Preparada() {
  sqlite3_finalize(stmt_);
}

}  // namespace suite::datos
