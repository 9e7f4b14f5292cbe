#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>

#include "datos/forma_insercion.h"
#include "datos/lote.h"
#include "datos/registros_aplazados.h"
#include "datos/traza.h"
#include "host/base_datos.h"

struct sqlite3;
struct sqlite3_stmt;

namespace suite::datos {

// A database object of the host over an SQLite file. Statements arrive in the Jet dialect and
// are translated before they reach the engine; every statement received is traced when
// NUBO_TRAZA_SQL names a file. One connection per object, closed when the object dies.
//
// The grouped record sets of the accounting database (option 4) are read two at once: one
// waits for the next record set the caller opens, and the two are then read together, one on
// a second connection in a thread of its own, both in one state of the file (LecturaDoble).
// A set that waits is read on its own, on the object's connection, when it is used first, when
// the caller sends anything else, or when the object is closed. Its statement is prepared when
// it is opened, so a statement the engine rejects raises there as any other; a failure while
// its rows are read raises at the next record set the caller opens (before that set's own
// failure, if both fail) and on every use of the set.
//
// Each statement is committed when it returns, unless the caller began a transaction of its own
// or keeps the statements of one piece of work in a batch (LotesAnidados). The report database's
// inserts that differ only in their literal values are prepared once and run with the values
// bound (FormaInsercion): parsing a kilobyte of text per row would cost more than the row.
class BaseSqlite : public prjsumsal::BaseDatos, public LotesAnidados {
 public:
  // Opens an existing database file. A missing file, an empty (0-byte) one, or one that is not
  // an SQLite database, is an Error that names the path: an empty database is never created in
  // its place. The accounting database keeps the journal mode and synchronisation it has, and a
  // file the user may only read is opened for reading; the report database, scratch data, is
  // put in write-ahead-log mode without a sync on each commit.
  static std::unique_ptr<BaseSqlite> abrir(const std::filesystem::path& archivo, Papel papel);
  // Creates a new, empty database file; an Error when the file already exists.
  static std::unique_ptr<BaseSqlite> crear(const std::filesystem::path& archivo, Papel papel);
  // A private in-memory database, for tests.
  static std::unique_ptr<BaseSqlite> enMemoria(Papel papel);

  ~BaseSqlite() override;
  BaseSqlite(const BaseSqlite&) = delete;
  BaseSqlite& operator=(const BaseSqlite&) = delete;

  // Runs one statement. Returns 1 on success; a statement the engine rejects raises an
  // ErrorSqlite with the engine's message (for a missing table or column, followed by the role
  // and file of the database). A text holding more than one statement is refused. "begin
  // transaction" begins an immediate transaction: it takes the write lock at once.
  long executesql(const std::string& sentencia) override;

  // Runs one SELECT and reads all its rows into memory. The option (4 for the host's grouped
  // queries) gives the same rows. With prjsumsal::kSoloAvance the rows are read one at a time as
  // MoveNext reaches them, so a long table is never held whole; the set's statement then keeps
  // its read of the database open until the set reaches its end or is dropped.
  std::unique_ptr<prjsumsal::Registros> newrecord(const std::string& sentencia) override;
  std::unique_ptr<prjsumsal::Registros> newrecord(const std::string& sentencia,
                                                  std::int16_t opcion) override;

  // The absolute path of the database file; ":memory:" for an in-memory database.
  std::string Name() const override;

  Papel papel() const { return papel_; }

  // How many record sets were read on the second connection, beside another (for tests and the
  // benchmarks).
  int lecturasALaPar() const { return a_la_par_; }

  // For a file that only this object uses (a run's own report database): the lock is taken
  // once and kept, instead of being taken and released around each of the statements.
  void usoExclusivo();

  // Whether the query `sql` (in the engine's own dialect) gives at least one row. For the host's
  // own questions, which are no statements of the module's: it is not traced. Raises an
  // ErrorSqlite when the engine refuses it.
  bool hayFilas(const std::string& sql);

 private:
  BaseSqlite(sqlite3* conexion, std::string nombre, Papel papel);
  static std::unique_ptr<BaseSqlite> conectar(const std::string& ruta, int banderas,
                                              std::string nombre, Papel papel);
  std::unique_ptr<prjsumsal::Registros> abrirRegistros(const std::string& sentencia, bool agrupada);
  std::unique_ptr<prjsumsal::Registros> leerALaPar(Aplazada& aplazada, const std::string& sql);
  void resolverAplazada();
  void terminarTransaccion() override;
  bool insertarConForma(const FormaInsercion& forma);

  sqlite3* conexion_;
  std::string nombre_;
  Papel papel_;
  Traza traza_;
  std::weak_ptr<Aplazada> aplazada_;  // the grouped set that waits for the next, if any
  bool transaccion_ = false;          // the batch's transaction is open
  std::unordered_map<std::string, sqlite3_stmt*> formas_;  // prepared inserts by their shape
  int a_la_par_ = 0;
};

}  // namespace suite::datos
