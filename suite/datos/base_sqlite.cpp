#include "datos/base_sqlite.h"

#include <sqlite3.h>
#include <strings.h>

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <vector>

#include "datos/dialecto_jet.h"
#include "datos/error_sqlite.h"
#include "datos/explicacion.h"
#include "datos/forma_insercion.h"
#include "datos/lectura_doble.h"
#include "datos/registros_memoria.h"
#include "datos/wal_solo_lectura.h"
#include "host/solo_avance.h"

namespace suite {

using prjsumsal::Error;
using prjsumsal::Valor;

namespace {

// How long a statement waits for a lock held by another connection before it fails.
constexpr int kEsperaMs = 5000;

// The engine's message about a table or column that is not there names neither the database nor
// its file; with two databases open the user needs both. The well-known refusals are explained
// first (explicacion.h).
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

// The same, added to `celdas` without making a Valor.
void agregarCelda(Celdas& celdas, sqlite3_stmt* st, int c) {
  switch (sqlite3_column_type(st, c)) {
    case SQLITE_INTEGER:
      return celdas.agregarEntero(static_cast<std::int64_t>(sqlite3_column_int64(st, c)));
    case SQLITE_FLOAT:
      return celdas.agregarDoble(sqlite3_column_double(st, c));
    case SQLITE_NULL:
      return celdas.agregarNulo();
    default: {  // TEXT, and a BLOB read as its bytes
      auto* datos = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
      return celdas.agregarTexto(
          std::string_view(datos, static_cast<std::size_t>(sqlite3_column_bytes(st, c))));
    }
  }
}

// Runs one SELECT on `db` and reads all its rows into memory.
std::unique_ptr<prjsumsal::Registros> leerEn(sqlite3* db, const std::string& sql, Papel papel,
                                             const std::string& nombre) {
  Preparada st(db, sql, papel, nombre);
  int n = sqlite3_column_count(st.get());
  std::vector<std::string> columnas;
  for (int c = 0; c < n; ++c) columnas.emplace_back(sqlite3_column_name(st.get(), c));
  Celdas celdas(columnas.size());
  int rc;
  while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
    for (int c = 0; c < n; ++c) agregarCelda(celdas, st.get(), c);
  }
  if (rc != SQLITE_DONE) throw errorEn(db, papel, nombre);
  return std::make_unique<RegistrosMemoria>(std::move(columnas), std::move(celdas));
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

long BaseSqlite::executesql(const std::string& sentencia) {
  traza_.anotar("executesql", sentencia);
  resolverAplazada();
  // The shape of a report database's insert is taken from the text as it came: a Jet construct
  // is never inside a literal, so the shape alone, shorter, tells whether it needs translating.
  std::optional<FormaInsercion> forma;
  if (papel_ == Papel::Informes) forma = formaInsercion(sentencia);
  bool talCual = sinDialectoJet(forma ? forma->forma : sentencia);
  if (!talCual) forma.reset();
  std::string sql = talCual ? sentencia : traducirJet(sentencia);
  // Begun deferred, SQLite would take the write lock only at the first change, so two writers
  // could both begin and one then fail half way; beginning it immediate takes the lock at once.
  // The caller's own transaction commits a batch's rows first.
  if (iniciaTransaccion(sql)) {
    terminarTransaccion();
    sql = "BEGIN IMMEDIATE";
  } else if (lotes_ > 0 && !transaccion_ && sqlite3_get_autocommit(conexion_) != 0) {
    if (sqlite3_exec(conexion_, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
      throw errorEn(conexion_, papel_, nombre_);
    }
    transaccion_ = true;
  }
  // Tables the suite creates are STRICT, so that a value of the wrong type (a text in an amount
  // column) is refused at the insert; a table with types STRICT does not know is made as written.
  if (std::string estricta = comoEstricta(sql); !estricta.empty()) {
    sqlite3_stmt* prueba = nullptr;
    if (sqlite3_prepare_v2(conexion_, estricta.c_str(), -1, &prueba, nullptr) == SQLITE_OK) {
      sql = std::move(estricta);
    }
    sqlite3_finalize(prueba);
  }
  try {
    if (forma && insertarConForma(*forma)) return 1;
    Preparada st(conexion_, sql, papel_, nombre_);
    int rc;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) throw errorEn(conexion_, papel_, nombre_);
  } catch (const ErrorSqlite&) {
    // The statement that failed is undone alone; the batch's rows before it stay, as they would
    // have without a batch. (An error that ends the whole transaction, a full disk say, has
    // already taken them.)
    if (transaccion_) {
      transaccion_ = false;
      if (sqlite3_get_autocommit(conexion_) == 0 &&
          sqlite3_exec(conexion_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_exec(conexion_, "ROLLBACK", nullptr, nullptr, nullptr);
      }
    }
    throw;
  }
  return 1;
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
    return std::make_unique<Cursor>(conexion_, traducirJet(sentencia), papel_, nombre_);
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

// The set that waited is read in a thread on the second connection while this one is read here;
// without a second connection, both are read here in the one read transaction, the set that
// waited first. Its failure is raised before this one's, as it would have come first.
std::unique_ptr<prjsumsal::Registros> BaseSqlite::leerALaPar(Aplazada& aplazada,
                                                             const std::string& sql) {
  std::unique_ptr<LecturaDoble> par;
  try {
    par = std::make_unique<LecturaDoble>(conexion_);
  } catch (const ErrorSqlite& e) {
    ErrorSqlite explicado(explicarSqlite(e.codigo(), e.what(), papel_, nombre_), e.codigo());
    aplazada.fallar(std::make_exception_ptr(explicado));  // it could not have been read either
    throw explicado;
  }
  std::unique_ptr<prjsumsal::Registros> propias;
  std::exception_ptr falla;
  std::jthread hilo;
  if (par->segunda() != nullptr) {
    try {
      hilo = std::jthread([&] {
        try {
          aplazada.recibir(leerEn(par->segunda(), aplazada.sentencia, papel_, nombre_));
        } catch (...) {
          aplazada.fallar(std::current_exception());
        }
      });
    } catch (const std::system_error&) {
      // No thread to be had: both are read here after all.
    }
  }
  if (!hilo.joinable()) {
    aplazada.resolver();
    if (aplazada.error) std::rethrow_exception(aplazada.error);
    return leerEn(conexion_, sql, papel_, nombre_);
  }
  try {
    propias = leerEn(conexion_, sql, papel_, nombre_);
  } catch (...) {
    falla = std::current_exception();
  }
  hilo.join();
  ++a_la_par_;
  if (aplazada.error) std::rethrow_exception(aplazada.error);
  if (falla) std::rethrow_exception(falla);
  return propias;
}

void BaseSqlite::resolverAplazada() {
  if (auto aplazada = aplazada_.lock()) aplazada->resolver();
}

// Runs an insert through the prepared statement of its shape, prepared on first use. Returns
// false, having done nothing, when the shape does not prepare (the text is then run as written,
// which reports its error); raises the engine's error when the row is refused.
bool BaseSqlite::insertarConForma(const FormaInsercion& forma) {
  auto [pos, nueva] = formas_.try_emplace(forma.forma, nullptr);
  if (nueva) {
    constexpr std::size_t kFormas = 32;  // a run has a handful; more means they do not repeat
    if (formas_.size() > kFormas) {
      for (auto& [texto, st] : formas_) sqlite3_finalize(st);
      formas_.clear();
      pos = formas_.try_emplace(forma.forma, nullptr).first;
    }
    sqlite3_stmt* st = nullptr;
    const char* resto = nullptr;
    if (sqlite3_prepare_v3(conexion_, forma.forma.c_str(), static_cast<int>(forma.forma.size()),
                           SQLITE_PREPARE_PERSISTENT, &st, &resto) != SQLITE_OK ||
        st == nullptr ||
        sqlite3_bind_parameter_count(st) != static_cast<int>(forma.valores.size()) ||
        std::string_view(resto).find_first_not_of(" \t\r\n;") != std::string_view::npos) {
      sqlite3_finalize(st);
      formas_.erase(pos);
      return false;
    }
    pos->second = st;
  }
  sqlite3_stmt* st = pos->second;
  int n = 1;
  for (const FormaInsercion::Valor& v : forma.valores) {
    const std::string& t = v.texto;
    std::int64_t entero = 0;
    if (v.tipo == FormaInsercion::Valor::Tipo::Texto) {
      sqlite3_bind_text(st, n, t.data(), static_cast<int>(t.size()), SQLITE_STATIC);
    } else if (v.tipo == FormaInsercion::Valor::Tipo::Entero &&
               std::from_chars(t.data(), t.data() + t.size(), entero).ec == std::errc()) {
      sqlite3_bind_int64(st, n, entero);
    } else {  // a real, or a whole number too large for an integer, as SQLite reads it
      sqlite3_bind_double(st, n, std::strtod(t.c_str(), nullptr));
    }
    ++n;
  }
  int rc = sqlite3_step(st);
  std::optional<ErrorSqlite> error;
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) error = errorEn(conexion_, papel_, nombre_);
  sqlite3_reset(st);
  sqlite3_clear_bindings(st);  // the texts bound are the caller's
  if (error) throw *error;
  return true;
}

void BaseSqlite::abrirLote() {
  ++lotes_;
}

void BaseSqlite::confirmarLote() {
  terminarTransaccion();
}

void BaseSqlite::cerrarLote() {
  if (lotes_ > 0 && --lotes_ == 0) terminarTransaccion();
}

void BaseSqlite::terminarTransaccion() {
  if (!transaccion_) return;
  transaccion_ = false;
  if (sqlite3_get_autocommit(conexion_) != 0) return;  // the caller's "commit" ended it
  if (sqlite3_exec(conexion_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    ErrorSqlite e = errorEn(conexion_, papel_, nombre_);
    sqlite3_exec(conexion_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw e;
  }
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

}  // namespace suite
