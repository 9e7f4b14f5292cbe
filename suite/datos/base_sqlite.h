#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "datos/traza.h"
#include "host/base_datos.h"

struct sqlite3;

namespace suite {

// A database object of the host over an SQLite file. Statements arrive in the Jet dialect and
// are translated before they reach the engine; every statement received is traced when
// NUBO_TRAZA_SQL names a file. One connection per object, closed when the object dies.
class BaseSqlite : public prjsumsal::BaseDatos {
 public:
  // Opens an existing database file. A missing file, an empty (0-byte) one, or one that is not
  // an SQLite database, is an Error that names the path: an empty database is never created in
  // its place. Files are kept in write-ahead-log mode; the report database, scratch data, is
  // not synced on each commit, the accounting database at each checkpoint.
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

  // For a file that only this object uses (a run's own report database): the lock is taken
  // once and kept, instead of being taken and released around each of the statements.
  void usoExclusivo();

 private:
  BaseSqlite(sqlite3* conexion, std::string nombre, Papel papel);
  static std::unique_ptr<BaseSqlite> conectar(const std::string& ruta, int banderas,
                                              std::string nombre, Papel papel);
  std::unique_ptr<prjsumsal::Registros> leer(const std::string& sentencia);

  sqlite3* conexion_;
  std::string nombre_;
  Papel papel_;
  Traza traza_;
};

}  // namespace suite
