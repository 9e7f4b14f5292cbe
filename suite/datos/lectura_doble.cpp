#include "datos/lectura_doble.h"

#include <sqlite3.h>

#include <cstring>

#include "datos/error_sqlite.h"

namespace suite::datos {

namespace {

// How often the second transaction is tried when commits keep coming between the two.
constexpr int kIntentos = 3;

bool ejecutar(sqlite3* db, const char* sql) {
  return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// The data version of the connection's file as of its current read transaction (or of a read
// of its own, outside one); false when it cannot be read, a writer holding the lock, say.
bool version(sqlite3* db, long long& v) {
  sqlite3_stmt* st = nullptr;
  bool leida = sqlite3_prepare_v2(db, "PRAGMA data_version", -1, &st, nullptr) == SQLITE_OK &&
               sqlite3_step(st) == SQLITE_ROW;
  if (leida) v = sqlite3_column_int64(st, 0);
  sqlite3_finalize(st);
  return leida;
}

// A second connection to the file of `principal`, with its access (read-only or not), that
// fails at once rather than wait for a lock; null when there is no file to open again.
sqlite3* abrirOtra(sqlite3* principal) {
  const char* archivo = sqlite3_db_filename(principal, "main");
  if (archivo == nullptr || *archivo == '\0') return nullptr;  // in memory, or temporary
  int banderas =
      sqlite3_db_readonly(principal, "main") == 1 ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(archivo, &db, banderas | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
    sqlite3_close_v2(db);
    return nullptr;
  }
  sqlite3_extended_result_codes(db, 1);
  ejecutar(db, "PRAGMA query_only=1");
  return db;
}

}  // namespace

LecturaDoble::LecturaDoble(sqlite3* principal, const std::function<void()>& entreAmbas)
    : principal_(principal) {
  segunda_ = abrirOtra(principal);
  long long antes = 0;
  if (segunda_ != nullptr && !version(segunda_, antes)) cerrarSegunda();
  empezarPrimera();
  if (entreAmbas) entreAmbas();
  for (int intento = 0; segunda_ != nullptr; ++intento) {
    long long ahora = 0;
    if (!ejecutar(segunda_, "BEGIN") || !version(segunda_, ahora)) break;  // a writer waits
    if (ahora == antes) return;
    // A commit came between: both begin again, the second having seen it already.
    ejecutar(segunda_, "COMMIT");
    if (intento + 1 == kIntentos) break;
    ejecutar(principal_, "COMMIT");
    antes = ahora;
    empezarPrimera();
  }
  cerrarSegunda();
}

LecturaDoble::~LecturaDoble() {
  cerrarSegunda();
  ejecutar(principal_, "COMMIT");
}

// A transaction begun with BEGIN reads nothing until its first read, which takes the shared
// lock (rollback mode) or the snapshot (write-ahead log); the read of the schema does it.
void LecturaDoble::empezarPrimera() {
  if (!ejecutar(principal_, "BEGIN") ||
      !ejecutar(principal_, "SELECT count(*) FROM sqlite_master")) {
    ErrorSqlite e(sqlite3_errmsg(principal_), sqlite3_extended_errcode(principal_));
    if (sqlite3_get_autocommit(principal_) == 0) ejecutar(principal_, "ROLLBACK");
    cerrarSegunda();
    throw e;
  }
}

void LecturaDoble::cerrarSegunda() {
  if (segunda_ == nullptr) return;
  if (sqlite3_get_autocommit(segunda_) == 0) ejecutar(segunda_, "ROLLBACK");
  sqlite3_close_v2(segunda_);
  segunda_ = nullptr;
}

}  // namespace suite::datos
