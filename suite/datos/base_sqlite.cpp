#include "datos/base_sqlite.h"

#include <sqlite3.h>
#include <strings.h>

#include <cctype>
#include <cstring>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "datos/dialecto_jet.h"
#include "datos/error_sqlite.h"
#include "datos/registros_memoria.h"
#include "host/solo_avance.h"

namespace suite {

using prjsumsal::Error;
using prjsumsal::Valor;

namespace {

// How long a statement waits for a lock held by another connection before it fails.
constexpr int kEsperaMs = 5000;

// The engine's message about a table or column that is not there names neither the database nor
// its file; with two databases open the user needs both.
ErrorSqlite errorEn(sqlite3* db, Papel papel, const std::string& nombre) {
  std::string mensaje = sqlite3_errmsg(db);
  for (const char* falta : {"no such table", "no such column", "has no column named"}) {
    if (mensaje.find(falta) != std::string::npos) {
      mensaje += " (base de datos de " + std::string(nombrePapel(papel)) + " " + nombre + ")";
      break;
    }
  }
  return ErrorSqlite(mensaje, sqlite3_extended_errcode(db));
}

// A prepared statement, finalised when it goes out of scope.
class Preparada {
 public:
  // Prepares the only statement of `sql`. Text after it other than blanks and semicolons is
  // refused: a value that breaks its quotes must not smuggle in a second statement. The engine's
  // errors name the database by its role and file.
  Preparada(sqlite3* db, const std::string& sql, Papel papel, const std::string& nombre) {
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
  ~Preparada() { sqlite3_finalize(stmt_); }
  Preparada(const Preparada&) = delete;
  Preparada& operator=(const Preparada&) = delete;

  sqlite3_stmt* get() const { return stmt_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

// Whether the Jet translation would leave the statement as it is: it changes only date
// literals (#), year(), the column types of CREATE TABLE and comma joins after FROM. The search
// is conservative (a word inside a quoted text also counts); the module's inserts, one per
// account, skip the tokenizing of their kilobyte of text.
bool sinDialectoJet(const std::string& sql) {
  if (sql.find('#') != std::string::npos) return false;
  for (const char* w : {"year", "create", "from"}) {
    if (::strcasestr(sql.c_str(), w) != nullptr) return false;
  }
  return true;
}

// The CREATE TABLE statement as a STRICT table, or an empty text when it is no such statement.
std::string comoEstricta(const std::string& sql) {
  auto ini = sql.find_first_not_of(" \t\r\n");
  auto fin = sql.find_last_not_of(" \t\r\n;");
  if (ini == std::string::npos || ::strncasecmp(sql.c_str() + ini, "create table", 12) != 0 ||
      sql[fin] != ')') {
    return {};
  }
  return sql.substr(0, fin + 1) + " STRICT";
}

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

// A record set read forward, one row at a time: the current row is the statement's. Errors
// of the first row are raised at the open, like those of a set read whole.
class Cursor : public prjsumsal::Registros {
 public:
  Cursor(sqlite3* db, const std::string& sql, Papel papel, std::string nombre)
      : db_(db), papel_(papel), nombre_(std::move(nombre)), st_(db, sql, papel, nombre_) {
    for (int c = 0; c < sqlite3_column_count(st_.get()); ++c) {
      std::string n = sqlite3_column_name(st_.get(), c);
      for (char& ch : n) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      columnas_.emplace(std::move(n), c);  // the first column of a name wins
    }
    avanzar();
  }

  bool eof() const override { return fin_; }
  void MoveNext() override {
    if (fin_) throw Error("No hay registro activo");
    avanzar();
  }
  prjsumsal::Campo fields(std::string_view nombre) const override {
    std::string n(nombre);
    for (char& ch : n) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    auto it = columnas_.find(n);
    if (it == columnas_.end()) {
      throw Error("No se encontró el campo '" + std::string(nombre) +
                  "' en el conjunto de registros");
    }
    if (fin_) throw Error("No hay registro activo (campo '" + std::string(nombre) + "')");
    return prjsumsal::Campo{valorDe(st_.get(), it->second)};
  }
  void findfirst(std::string_view) override {
    throw Error("findfirst no está disponible en un conjunto de registros de solo avance");
  }
  bool nomatch() const override { return false; }

 private:
  void avanzar() {
    int rc = sqlite3_step(st_.get());
    if (rc == SQLITE_ROW) return;
    fin_ = true;
    sqlite3_reset(st_.get());  // ends the statement's read of the database
    if (rc != SQLITE_DONE) throw errorEn(db_, papel_, nombre_);
  }

  sqlite3* db_;
  Papel papel_;
  std::string nombre_;
  Preparada st_;
  std::unordered_map<std::string, int> columnas_;
  bool fin_ = false;
};

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
  // Every statement of the module is its own commit. The report database is a workstation's
  // scratch data: a write-ahead log without a sync per commit is enough there. The accounting
  // database keeps a sync at each checkpoint, which the write-ahead log makes safe. A database
  // that another connection holds in the old journal mode keeps it; that is not a failure.
  sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
  sqlite3_exec(db,
               papel == Papel::Informes ? "PRAGMA synchronous=OFF" : "PRAGMA synchronous=NORMAL",
               nullptr, nullptr, nullptr);
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

long BaseSqlite::executesql(const std::string& sentencia) {
  traza_.anotar("executesql", sentencia);
  std::string sql = sinDialectoJet(sentencia) ? sentencia : traducirJet(sentencia);
  // Begun deferred, SQLite would take the write lock only at the first change, so two writers
  // could both begin and one then fail half way; beginning it immediate takes the lock at once.
  if (iniciaTransaccion(sql)) sql = "BEGIN IMMEDIATE";
  // Tables the suite creates are STRICT, so that a value of the wrong type (a text in an amount
  // column) is refused at the insert; a table with types STRICT does not know is made as written.
  if (std::string estricta = comoEstricta(sql); !estricta.empty()) {
    sqlite3_stmt* prueba = nullptr;
    if (sqlite3_prepare_v2(conexion_, estricta.c_str(), -1, &prueba, nullptr) == SQLITE_OK) {
      sql = std::move(estricta);
    }
    sqlite3_finalize(prueba);
  }
  Preparada st(conexion_, sql, papel_, nombre_);
  int rc;
  while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) throw errorEn(conexion_, papel_, nombre_);
  return 1;
}

std::unique_ptr<prjsumsal::Registros> BaseSqlite::newrecord(const std::string& sentencia) {
  traza_.anotar("newrecord", sentencia);
  return leer(sentencia);
}

std::unique_ptr<prjsumsal::Registros> BaseSqlite::newrecord(const std::string& sentencia,
                                                            std::int16_t opcion) {
  traza_.anotar("newrecord", sentencia);
  if (opcion == prjsumsal::kSoloAvance) {
    return std::make_unique<Cursor>(conexion_, traducirJet(sentencia), papel_, nombre_);
  }
  return leer(sentencia);
}

std::unique_ptr<prjsumsal::Registros> BaseSqlite::leer(const std::string& sentencia) {
  Preparada st(conexion_, traducirJet(sentencia), papel_, nombre_);
  int n = sqlite3_column_count(st.get());
  std::vector<std::string> columnas;
  for (int c = 0; c < n; ++c) columnas.emplace_back(sqlite3_column_name(st.get(), c));
  std::vector<Valor> valores;
  int rc;
  while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
    for (int c = 0; c < n; ++c) valores.push_back(valorDe(st.get(), c));
  }
  if (rc != SQLITE_DONE) throw errorEn(conexion_, papel_, nombre_);
  return std::make_unique<RegistrosMemoria>(std::move(columnas), std::move(valores));
}

void BaseSqlite::usoExclusivo() {
  sqlite3_exec(conexion_, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr);
}

std::string BaseSqlite::Name() const {
  return nombre_;
}

}  // namespace suite
