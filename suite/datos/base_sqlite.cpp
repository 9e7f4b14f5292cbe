#include "datos/base_sqlite.h"

#include <sqlite3.h>

#include <system_error>

#include "datos/dialecto_jet.h"
#include "datos/explicacion.h"
#include "datos/registros_sqlite.h"
#include "datos/sentencia_sqlite.h"
#include "datos/wal_solo_lectura.h"
#include "host/solo_avance.h"

namespace suite::datos {

using prjsumsal::Error;

namespace {

// How long a statement waits for a lock held by another connection before it fails.
constexpr int kEsperaMs = 5000;

}  // namespace

BaseSqlite::BaseSqlite(sqlite3* conexion, std::string nombre, Papel papel)
    : conexion_(conexion), nombre_(std::move(nombre)), papel_(papel), traza_(papel) {}

BaseSqlite::~BaseSqlite() {
  resolverAplazada();
  // A batch left open by a caller that never ended it keeps what it wrote.
  if (transaccion_ && sqlite3_exec(conexion_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    sqlite3_exec(conexion_, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  for (auto& [forma, st] : formas_) sqlite3_finalize(st);
  sqlite3_close_v2(conexion_);
}

std::unique_ptr<BaseSqlite> BaseSqlite::conectar(const std::string& ruta, int banderas,
                                                 std::string nombre, Papel papel) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(ruta.c_str(), &db, banderas | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    std::string mensaje = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    sqlite3_close_v2(db);
    throw ErrorSqlite("No se puede abrir la base de datos " + nombre + ": " + mensaje, rc);
  }
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, kEsperaMs);
  // SQLite reads the file's header lazily; reading the schema now tells at once a file that is
  // not a database.
  if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
      SQLITE_OK) {
    const int codigo = sqlite3_extended_errcode(db);
    const std::string mensaje = sqlite3_errmsg(db);
    std::string motivo = motivoWalSoloLectura(db, codigo, nombre, nombrePapel(papel));
    if (motivo.empty()) motivo = explicarApertura(codigo, mensaje, nombre);
    if (motivo.empty()) motivo = explicarSqlite(codigo, mensaje, papel, nombre);
    if (motivo == mensaje) motivo = "La base de datos " + nombre + " no se puede leer: " + mensaje;
    ErrorSqlite e(motivo, codigo);
    sqlite3_close_v2(db);
    throw e;
  }
  // The accounting database is the host's: it is read in the journal mode and with the
  // synchronisation the host gave it, which may be a file on read-only media, one the user may
  // not write, or one on a network file system where a write-ahead log does not work. Only the
  // report database, a workstation's scratch data written once per account, uses a write-ahead
  // log without a sync on each commit. A report database that another connection holds in the
  // old journal mode keeps it; that is not a failure.
  if (papel == Papel::Informes) {
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
  }
  return std::unique_ptr<BaseSqlite>(new BaseSqlite(db, std::move(nombre), papel));
}

std::unique_ptr<BaseSqlite> BaseSqlite::abrir(const std::filesystem::path& archivo, Papel papel) {
  std::string nombre = std::filesystem::absolute(archivo).lexically_normal().string();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(archivo, ec)) {
    throw Error("No se encuentra la base de datos " + nombre);
  }
  // SQLite takes an empty file for an empty database and would write its header into it; it is
  // rather a file that was never a database of the suite.
  if (std::filesystem::file_size(archivo, ec) == 0 && !ec) {
    throw Error("La base de datos de " + std::string(nombrePapel(papel)) + " " + nombre +
                " está vacía (0 bytes): no tiene las tablas de la suite");
  }
  return conectar(archivo.string(), SQLITE_OPEN_READWRITE, nombre, papel);
}

std::unique_ptr<BaseSqlite> BaseSqlite::crear(const std::filesystem::path& archivo, Papel papel) {
  std::string nombre = std::filesystem::absolute(archivo).lexically_normal().string();
  std::error_code ec;
  if (std::filesystem::exists(archivo, ec)) {
    throw Error("La base de datos " + nombre + " ya existe");
  }
  return conectar(archivo.string(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nombre, papel);
}

std::unique_ptr<BaseSqlite> BaseSqlite::enMemoria(Papel papel) {
  return conectar(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, ":memory:", papel);
}

std::unique_ptr<prjsumsal::Registros> BaseSqlite::newrecord(const std::string& sentencia) {
  traza_.anotar("newrecord", sentencia);
  return abrirRegistros(sentencia, false);
}

std::unique_ptr<prjsumsal::Registros> BaseSqlite::newrecord(const std::string& sentencia,
                                                            std::int16_t opcion) {
  traza_.anotar("newrecord", sentencia);
  if (opcion == prjsumsal::kSoloAvance) {
    terminarTransaccion();
    resolverAplazada();
    return leerAvanzando(conexion_, traducirJet(sentencia), papel_, nombre_);
  }
  return abrirRegistros(sentencia, true);
}

std::unique_ptr<prjsumsal::Registros> BaseSqlite::abrirRegistros(const std::string& sentencia,
                                                                 bool agrupada) {
  terminarTransaccion();
  std::string sql = traducirJet(sentencia);
  if (auto aplazada = aplazada_.lock(); aplazada && aplazada->pendiente()) {
    return leerALaPar(*aplazada, sql);
  }
  // Inside the caller's transaction a second connection would not see its changes.
  const char* archivo = sqlite3_db_filename(conexion_, "main");
  if (!agrupada || papel_ != Papel::Contabilidad || sqlite3_get_autocommit(conexion_) == 0 ||
      archivo == nullptr || *archivo == '\0') {
    return leerEn(conexion_, sql, papel_, nombre_);
  }
  Preparada rechazo(conexion_, sql, papel_, nombre_);  // a statement rejected raises here
  auto aplazada = std::make_shared<Aplazada>();
  aplazada->sentencia = sql;
  aplazada->leerSola = [this, sql] { return leerEn(conexion_, sql, papel_, nombre_); };
  aplazada_ = aplazada;
  return std::make_unique<RegistrosAplazados>(std::move(aplazada));
}

void BaseSqlite::resolverAplazada() {
  if (auto aplazada = aplazada_.lock()) aplazada->resolver();
}

void BaseSqlite::usoExclusivo() {
  sqlite3_exec(conexion_, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr);
}

bool BaseSqlite::hayFilas(const std::string& sql) {
  Preparada st(conexion_, sql, papel_, nombre_);
  int rc = sqlite3_step(st.get());
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) throw errorEn(conexion_, papel_, nombre_);
  return rc == SQLITE_ROW;
}

std::string BaseSqlite::Name() const {
  return nombre_;
}

}  // namespace suite::datos
