#include "datos/base_sqlite.h"

#include <sqlite3.h>

#include <cctype>
#include <system_error>
#include <vector>

#include "datos/dialecto_jet.h"
#include "datos/error_sqlite.h"
#include "datos/registros_memoria.h"

namespace suite {

using prjsumsal::Error;
using prjsumsal::Valor;

namespace {

// How long a statement waits for a lock held by another connection before it fails.
constexpr int kEsperaMs = 5000;

ErrorSqlite errorDe(sqlite3* db) {
  return ErrorSqlite(sqlite3_errmsg(db), sqlite3_extended_errcode(db));
}

// A prepared statement, finalised when it goes out of scope.
class Preparada {
 public:
  // Prepares the only statement of `sql`. Text after it other than blanks and semicolons is
  // refused: a value that breaks its quotes must not smuggle in a second statement.
  Preparada(sqlite3* db, const std::string& sql) {
    const char* resto = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, &resto) !=
        SQLITE_OK) {
      throw errorDe(db);
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
  ~Preparada() { sqlite3_finalize(stmt_); }
  Preparada(const Preparada&) = delete;
  Preparada& operator=(const Preparada&) = delete;

  sqlite3_stmt* get() const { return stmt_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

Valor valorDe(sqlite3_stmt* st, int c) {
  switch (sqlite3_column_type(st, c)) {
    case SQLITE_INTEGER:
      return Valor(static_cast<std::int64_t>(sqlite3_column_int64(st, c)));
    case SQLITE_FLOAT:
      return Valor(sqlite3_column_double(st, c));
    case SQLITE_NULL:
      return Valor();
    default: {  // TEXT, and a BLOB read as its bytes
      auto* datos = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
      return Valor(std::string(datos, static_cast<std::size_t>(sqlite3_column_bytes(st, c))));
    }
  }
}

}  // namespace

BaseSqlite::BaseSqlite(sqlite3* conexion, std::string nombre, Papel papel)
    : conexion_(conexion), nombre_(std::move(nombre)), papel_(papel), traza_(papel) {}

BaseSqlite::~BaseSqlite() {
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
    ErrorSqlite e("La base de datos " + nombre + " no se puede leer: " + sqlite3_errmsg(db),
                  sqlite3_extended_errcode(db));
    sqlite3_close_v2(db);
    throw e;
  }
  return std::unique_ptr<BaseSqlite>(new BaseSqlite(db, std::move(nombre), papel));
}

std::unique_ptr<BaseSqlite> BaseSqlite::abrir(const std::filesystem::path& archivo, Papel papel) {
  std::string nombre = std::filesystem::absolute(archivo).lexically_normal().string();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(archivo, ec)) {
    throw Error("No se encuentra la base de datos " + nombre);
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

long BaseSqlite::executesql(const std::string& sentencia) {
  traza_.anotar("executesql", sentencia);
  Preparada st(conexion_, traducirJet(sentencia));
  int rc;
  while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) throw errorDe(conexion_);
  return 1;
}

std::unique_ptr<prjsumsal::Registros> BaseSqlite::newrecord(const std::string& sentencia) {
  traza_.anotar("newrecord", sentencia);
  return leer(sentencia);
}

std::unique_ptr<prjsumsal::Registros> BaseSqlite::newrecord(const std::string& sentencia,
                                                            std::int16_t /*opcion*/) {
  traza_.anotar("newrecord", sentencia);
  return leer(sentencia);
}

std::unique_ptr<prjsumsal::Registros> BaseSqlite::leer(const std::string& sentencia) {
  Preparada st(conexion_, traducirJet(sentencia));
  int n = sqlite3_column_count(st.get());
  std::vector<std::string> columnas;
  for (int c = 0; c < n; ++c) columnas.emplace_back(sqlite3_column_name(st.get(), c));
  std::vector<Valor> valores;
  int rc;
  while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
    for (int c = 0; c < n; ++c) valores.push_back(valorDe(st.get(), c));
  }
  if (rc != SQLITE_DONE) throw errorDe(conexion_);
  return std::make_unique<RegistrosMemoria>(std::move(columnas), std::move(valores));
}

std::string BaseSqlite::Name() const {
  return nombre_;
}

}  // namespace suite
