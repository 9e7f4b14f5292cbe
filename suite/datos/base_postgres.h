#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "datos/lote.h"
#include "datos/registros_aplazados.h"
#include "datos/traza.h"
#include "host/base_datos.h"

namespace suite::datos {

// A database object of the host over a PostgreSQL database, reached with libpq. It keeps the
// contract and the behaviour of BaseSqlite: Jet statements translated for the engine, record
// sets read whole into memory with a hash-indexed findfirst, the server's message as the
// description of a failure, the NUBO_TRAZA_SQL trace.
//
// What a server adds:
//  - The record sets opened while others of the same object are still alive read one snapshot
//    of the database: the first opens a read-only REPEATABLE READ transaction and the last to be
//    dropped ends it. The statements of one balance run thus see one moment of a journal that
//    other users keep posting to. An executesql ends the snapshot first (record sets already
//    open keep their rows); inside a transaction the caller began with executesql, reads are
//    part of that transaction instead.
//  - As the report database (Papel::Informes) the tables it is asked to create are private to
//    its connection (TEMPORARY): two users preparing their balance at the same time on one
//    server each fill a complete work table of their own.
//  - The grouped record sets of the accounting database (option 4) are read two at once: one
//    waits for the next record set the caller opens, and is then read on a second connection
//    that imports the snapshot of the first (pg_export_snapshot, SET TRANSACTION SNAPSHOT)
//    while the other is read on the first. The server checks the statement of the set that
//    waits when it is opened; a failure while it runs raises at the next record set (before
//    that set's own) and on every use of the set. It is read on its own, on the first
//    connection, when it is used before, when anything else is sent, or when the object dies.
//  - Each statement is committed when it returns, unless the caller began a transaction of its
//    own or keeps the statements of one piece of work in a batch (LotesAnidados). A batch commits
//    every kTramo statements, so that the statements since its last commit can be kept and run
//    again when one fails: on the server a failed statement aborts the whole transaction.
//  - A connection that is lost is not opened again behind the caller's back: every later call
//    raises an ErrorPostgres that says the connection was lost.
class BasePostgres : public prjsumsal::BaseDatos, public LotesAnidados {
 public:
  // Connects to the database that `conexion` names: a libpq URI (postgresql://...) or a
  // keyword string (host=... dbname=...). Raises an ErrorPostgres that names the database's
  // role, where it was sought (never the password) and the cause: a text that is no valid
  // address, a server that cannot be reached, a refused password, a database that does not
  // exist.
  // `carpeta` is the workstation's folder for the files that go with the database (the report
  // files beside a report database); see Name().
  static std::unique_ptr<BasePostgres> conectar(const std::string& conexion, Papel papel,
                                                const std::filesystem::path& carpeta = {});

  // Whether `texto` names a PostgreSQL database rather than a file: a postgresql:// or
  // postgres:// URI, or a keyword string libpq accepts whose first word is one of its keywords.
  static bool esConexion(std::string_view texto);

  ~BasePostgres() override;
  BasePostgres(const BasePostgres&) = delete;
  BasePostgres& operator=(const BasePostgres&) = delete;

  // Runs one statement in a transaction of its own, or in the caller's: "begin transaction"
  // opens a SERIALIZABLE one, so that two users replacing the same rows at once cannot both
  // succeed; the one that loses gets an ErrorPostgres (SQLSTATE 40001) and rolls back. Returns
  // 1 on success; a statement the server rejects raises an ErrorPostgres with the server's
  // message. A text holding more than one statement is refused by the server.
  long executesql(const std::string& sentencia) override;

  // Runs one SELECT and reads all its rows into memory, inside the snapshot described above.
  // A forward-only set of the accounting database (prjsumsal::kSoloAvance) is read through a
  // cursor in that snapshot instead, a batch at a time (RegistrosCursor), except inside a
  // transaction of the caller's.
  // Dates come as ISO texts yyyy-mm-dd, as they do from SQLite; numeric values without a
  // fraction as whole numbers.
  std::unique_ptr<prjsumsal::Registros> newrecord(const std::string& sentencia) override;
  std::unique_ptr<prjsumsal::Registros> newrecord(const std::string& sentencia,
                                                  std::int16_t opcion) override;

  // A database on a server has no file, and the form looks for its report files in the folder
  // of the report database's Name: with a `carpeta`, the database's name inside it
  // (carpeta/dbname); without one, where the database is, "host=... port=... dbname=...
  // user=...", never the password.
  std::string Name() const override;

  Papel papel() const { return papel_; }

  // Takes the session-level advisory lock of kind `clase` on the schema the connection works in
  // (its current_schema), where the tables it creates go, if no other session holds it: true
  // when taken. The server releases it when the connection ends, however the process ends. Not
  // a statement of the module's: it is not traced. Raises an ErrorPostgres when the server
  // fails.
  bool tomarCerrojo(std::int32_t clase);

  // Where the database is, "host=... port=... dbname=... user=...", never the password.
  const std::string& destino() const;

  // Whether the query `sql` (in the server's own dialect) gives at least one row. For the
  // host's own questions, which are no statements of the module's: it is not traced. Sent
  // outside any transaction of the object's; raises an ErrorPostgres when the server fails.
  bool hayFilas(const std::string& sql);

  // Whether the connection goes through a pooler that hands each transaction to whichever
  // server process is free (transaction pooling): the process that answers changes between
  // transactions, or a second connection is answered by the same one. What a session holds
  // (advisory locks, temporary tables) then stays with a server process after the run ends.
  // Not traced. A second connection that cannot be had leaves the first test alone to decide.
  bool conexionAgrupada();

  // How many record sets were read on a second connection, beside another (for tests and the
  // benchmarks).
  int lecturasALaPar() const { return a_la_par_; }

  // How many statements a batch holds between two commits.
  static constexpr std::size_t kTramo = 1000;

  struct Sesion;
  struct Lectura;

 private:
  BasePostgres(std::shared_ptr<Sesion> sesion, Papel papel, std::string nombre);
  std::shared_ptr<Lectura> abrirLectura();
  void terminarLecturaFallida();
  std::unique_ptr<prjsumsal::Registros> leer(const std::string& sql,
                                             std::shared_ptr<Lectura> lectura);
  std::unique_ptr<prjsumsal::Registros> abrirRegistros(const std::string& sentencia, bool agrupada);
  std::unique_ptr<prjsumsal::Registros> abrirCursor(const std::string& sentencia);
  std::unique_ptr<Sesion> segundaSesion();
  std::unique_ptr<prjsumsal::Registros> leerALaPar(Aplazada& aplazada, const std::string& sql);
  void resolverAplazada();
  void terminarTransaccion() override;
  void salvarTramo();

  std::shared_ptr<Sesion> sesion_;
  std::weak_ptr<Lectura> lectura_;  // the snapshot of the record sets alive, if any
  Papel papel_;
  std::string nombre_;
  Traza traza_;
  std::weak_ptr<Aplazada> aplazada_;  // the grouped set that waits for the next, if any
  bool transaccion_ = false;          // the batch's transaction is open
  std::vector<std::string> tramo_;    // the batch's statements since its last commit
  int a_la_par_ = 0;
};

}  // namespace suite::datos
