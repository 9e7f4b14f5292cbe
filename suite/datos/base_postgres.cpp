#include "datos/base_postgres.h"

#include <libpq-fe.h>

#include <cctype>
#include <cstdlib>
#include <exception>
#include <vector>

#include "datos/dialecto_jet.h"
#include "datos/error_postgres.h"
#include "datos/explicacion.h"
#include "datos/registros_cursor.h"
#include "datos/registros_memoria.h"
#include "datos/valores_postgres.h"
#include "host/solo_avance.h"

namespace suite {

using prjsumsal::Valor;

// The connection of one object, shared with the snapshot of its record sets so that a record
// set that outlives the object still ends its transaction on a live connection.
struct BasePostgres::Sesion {
  PGconn* conexion = nullptr;
  std::string texto;    // the caller's connection text, to open a second connection with
  std::string destino;  // where the database is, without the password
  Papel papel;
  Lectura* lectura = nullptr;  // the open read-only transaction, if any
  bool perdida = false;        // the server went away; nothing more is sent

  ~Sesion() { PQfinish(conexion); }
};

// The read-only transaction that the record sets alive share; the last one to go ends it.
struct BasePostgres::Lectura {
  std::shared_ptr<Sesion> sesion;
  ~Lectura() {
    if (sesion->lectura != this) return;  // already ended by an executesql or a failure
    sesion->lectura = nullptr;
    if (!sesion->perdida) PQclear(PQexec(sesion->conexion, "COMMIT"));
  }
};

namespace {

// libpq's messages on one line: its continuation lines start with a newline and a tab.
std::string unaLinea(std::string t) {
  for (char& c : t) {
    if (c == '\n' || c == '\t' || c == '\r') c = ' ';
  }
  std::string r;
  for (char c : t) {
    if (c == ' ' && (r.empty() || r.back() == ' ')) continue;
    r += c;
  }
  while (!r.empty() && r.back() == ' ') r.pop_back();
  return r;
}

struct LiberarOpciones {
  void operator()(PQconninfoOption* o) const { PQconninfoFree(o); }
};
using Opciones = std::unique_ptr<PQconninfoOption, LiberarOpciones>;

// "host=... port=... dbname=... user=..." for the keywords given, never the password.
std::string describir(const PQconninfoOption* o) {
  std::string r;
  for (; o != nullptr && o->keyword != nullptr; ++o) {
    std::string_view k = o->keyword;
    if (o->val == nullptr || *o->val == '\0') continue;
    if (k == "host" || k == "hostaddr" || k == "port" || k == "dbname" || k == "user") {
      r += (r.empty() ? "" : " ") + std::string(k) + "=" + o->val;
    }
  }
  return r.empty() ? "valores por omisión de libpq" : r;
}

// Why libpq refused the text of an address, in the user's words. Its own messages quote the
// part of the text they stumbled on, which may be the password or a piece of it ("missing =
// after" a word of a password with a blank): they are never shown.
std::string motivoDireccion(const std::string& libpq) {
  static const std::pair<const char*, const char*> kMotivos[] = {
      {"percent-encoded", "un código %XX no válido"},
      {"unterminated quoted string", "una comilla sin cerrar"},
      {"missing \"=\"", "una palabra sin «=» y su valor"},
      {"invalid connection option", "una opción de conexión desconocida"},
      {"IPv6", "una dirección IPv6 mal escrita"},
      {"URI query parameter", "un parámetro mal escrito después de «?»"},
      {"unexpected character", "un carácter inesperado"},
  };
  for (auto [fragmento, motivo] : kMotivos) {
    if (libpq.find(fragmento) != std::string::npos) return motivo;
  }
  return "libpq no la entiende";
}

// The cause of a failed connection in the user's words, ahead of libpq's own text.
std::string causa(const std::string& libpq) {
  if (libpq.find("\" does not exist") != std::string::npos) {
    if (libpq.find("FATAL: role \"") != std::string::npos)
      return "el usuario no existe en el servidor: ";
    if (libpq.find("FATAL: database \"") != std::string::npos) {
      return "la base de datos no existe en el servidor: ";
    }
  }
  for (const char* t :
       {"password authentication failed", "no password supplied", "authentication failed"}) {
    if (libpq.find(t) != std::string::npos) return "el usuario o la contraseña no son válidos: ";
  }
  for (const char* t : {"Connection refused", "No such file or directory", "timeout expired",
                        "could not translate host name", "No route to host"}) {
    if (libpq.find(t) != std::string::npos) return "el servidor no acepta conexiones: ";
  }
  return "";
}

// Whether a failure means the connection is gone: a lost connection (class 08) or a server
// that shut the session down (57P01 to 57P03).
bool conexionPerdida(PGconn* c, const std::string& estado) {
  return PQstatus(c) == CONNECTION_BAD || estado.starts_with("08") || estado == "57P01" ||
         estado == "57P02" || estado == "57P03";
}

// A server that does not answer is given up after 15 seconds unless the caller's text says
// otherwise (its options come after, so they win); the program's name shows in the server's
// list of sessions.
PGconn* abrirConexion(const std::string& texto) {
  const char* claves[] = {"connect_timeout", "dbname", "fallback_application_name", nullptr};
  const char* valores[] = {"15", texto.c_str(), "nubo", nullptr};
  return PQconnectdbParams(claves, valores, 1);
}

struct LiberarResultado {
  void operator()(PGresult* r) const { PQclear(r); }
};
using Resultado = std::unique_ptr<PGresult, LiberarResultado>;

}  // namespace

bool BasePostgres::esConexion(std::string_view t) {
  if (t.starts_with("postgresql://") || t.starts_with("postgres://")) return true;
  std::size_t i = 0;
  while (i < t.size() && std::isspace(static_cast<unsigned char>(t[i]))) ++i;
  std::size_t ini = i;
  while (i < t.size() && (std::isalnum(static_cast<unsigned char>(t[i])) || t[i] == '_')) ++i;
  std::string palabra(t.substr(ini, i - ini));
  while (i < t.size() && std::isspace(static_cast<unsigned char>(t[i]))) ++i;
  if (palabra.empty() || i >= t.size() || t[i] != '=') return false;
  Opciones defecto(PQconndefaults());
  for (const PQconninfoOption* o = defecto.get(); o != nullptr && o->keyword != nullptr; ++o) {
    if (palabra == o->keyword) return true;
  }
  return false;
}

std::unique_ptr<BasePostgres> BasePostgres::conectar(const std::string& conexion, Papel papel,
                                                     const std::filesystem::path& carpeta) {
  const std::string base = std::string("la base de datos ") + nombrePapel(papel);
  char* error = nullptr;
  Opciones opciones(PQconninfoParse(conexion.c_str(), &error));
  if (!opciones) {
    std::string texto = error != nullptr ? motivoDireccion(error) : "sin memoria";
    PQfreemem(error);
    throw ErrorPostgres("La dirección de " + base + " no es válida: " + texto, "08P01");
  }
  std::string destino = describir(opciones.get());

  auto sesion = std::make_shared<Sesion>();
  sesion->conexion = abrirConexion(conexion);
  sesion->texto = conexion;
  sesion->destino = destino;
  sesion->papel = papel;
  if (sesion->conexion == nullptr) throw ErrorPostgres("Sin memoria para conectar", "53200");
  if (PQstatus(sesion->conexion) != CONNECTION_OK) {
    std::string texto = unaLinea(PQerrorMessage(sesion->conexion));
    throw ErrorPostgres(
        "No se puede conectar con " + base + " (" + destino + "): " + causa(texto) + texto,
        "08001");
  }
  // The server's notices ("table does not exist, skipping"...) are not failures and stay off
  // the user's standard error.
  PQsetNoticeProcessor(
      sesion->conexion, [](void*, const char*) {}, nullptr);
  // Texts travel in UTF-8 and dates as ISO texts, whatever the server's defaults.
  PQsetClientEncoding(sesion->conexion, "UTF8");
  Resultado fijar(PQexec(sesion->conexion, "SET DateStyle = ISO, YMD"));
  if (PQresultStatus(fijar.get()) != PGRES_COMMAND_OK) {
    throw ErrorPostgres("No se puede preparar la conexión con " + base + ": " +
                            unaLinea(PQerrorMessage(sesion->conexion)),
                        "08001");
  }
  // Name the database by what the server reports, which is what the connection reached.
  std::string nombre;
  auto agregar = [&](const char* k, const char* v) {
    if (v != nullptr && *v != '\0') nombre += (nombre.empty() ? "" : " ") + std::string(k) + v;
  };
  agregar("host=", PQhost(sesion->conexion));
  agregar("port=", PQport(sesion->conexion));
  agregar("dbname=", PQdb(sesion->conexion));
  agregar("user=", PQuser(sesion->conexion));
  sesion->destino = nombre;
  if (!carpeta.empty()) nombre = (carpeta / PQdb(sesion->conexion)).string();
  return std::unique_ptr<BasePostgres>(new BasePostgres(std::move(sesion), papel, nombre));
}

BasePostgres::BasePostgres(std::shared_ptr<Sesion> sesion, Papel papel, std::string nombre)
    : sesion_(std::move(sesion)), papel_(papel), nombre_(std::move(nombre)), traza_(papel) {}

namespace {

std::string mensajePerdida(const BasePostgres::Sesion& s) {
  return std::string("Se perdió la conexión con la base de datos ") + nombrePapel(s.papel) + " (" +
         s.destino + ")";
}

// The result of a statement; raises an ErrorPostgres with the server's message when it failed,
// and marks the session lost when the failure means the connection is gone.
Resultado comprobar(BasePostgres::Sesion& s, Resultado r) {
  ExecStatusType estado = PQresultStatus(r.get());
  if (r && (estado == PGRES_COMMAND_OK || estado == PGRES_TUPLES_OK)) return r;

  const std::string perdida = mensajePerdida(s);
  const char* sqlstate = r ? PQresultErrorField(r.get(), PG_DIAG_SQLSTATE) : nullptr;
  const char* primario = r ? PQresultErrorField(r.get(), PG_DIAG_MESSAGE_PRIMARY) : nullptr;
  std::string codigo = sqlstate != nullptr ? sqlstate : "";
  std::string mensaje = primario != nullptr ? primario : unaLinea(PQerrorMessage(s.conexion));
  if (conexionPerdida(s.conexion, codigo)) {
    s.perdida = true;
    s.lectura = nullptr;
    throw ErrorPostgres(perdida + ": " + mensaje, codigo.empty() ? "08006" : codigo);
  }
  if (codigo == "40001") {
    mensaje = "Otro usuario grabó los mismos datos al mismo tiempo; vuelva a intentarlo (" +
              mensaje + ")";
  } else {
    mensaje = explicarPostgres(codigo, mensaje, s.papel, s.destino);
  }
  throw ErrorPostgres(mensaje, codigo);
}

void siPerdida(const BasePostgres::Sesion& s) {
  if (s.perdida) throw ErrorPostgres(mensajePerdida(s), "08003");
}

// Sends one statement and returns its result, or raises as comprobar() does.
Resultado enviar(BasePostgres::Sesion& s, const std::string& sql) {
  siPerdida(s);
  // The extended protocol runs exactly one statement: a value that breaks its quotes cannot
  // smuggle in a second one.
  return comprobar(s, Resultado(PQexecParams(s.conexion, sql.c_str(), 0, nullptr, nullptr, nullptr,
                                             nullptr, 0)));
}

// Has the server parse and check the statement without running it: a missing table or column
// raises as when it runs.
void preparar(BasePostgres::Sesion& s, const std::string& sql) {
  siPerdida(s);
  comprobar(s, Resultado(PQprepare(s.conexion, "", sql.c_str(), 0, nullptr)));
}

// The result of the statement sent with PQsendQueryParams, or raises as comprobar() does.
Resultado recibir(BasePostgres::Sesion& s) {
  Resultado primero;
  while (PGresult* r = PQgetResult(s.conexion)) {
    if (primero) {
      PQclear(r);
    } else {
      primero.reset(r);
    }
  }
  return comprobar(s, std::move(primero));
}

}  // namespace

BasePostgres::~BasePostgres() {
  resolverAplazada();
  // A batch left open by a caller that never ended it keeps what it wrote.
  if (transaccion_ && !sesion_->perdida) PQclear(PQexec(sesion_->conexion, "COMMIT"));
}

long BasePostgres::executesql(const std::string& sentencia) {
  traza_.anotar("executesql", sentencia);
  resolverAplazada();
  std::string sql = traducirJet(sentencia, Motor::Postgres, papel_ == Papel::Informes);
  if (sesion_->lectura != nullptr) {
    sesion_->lectura = nullptr;
    enviar(*sesion_, "COMMIT");
  }
  // In READ COMMITTED, a delete that waited for another user's replacement of the same rows
  // would find them gone, delete nothing and let both inserts stay. A serializable transaction
  // fails instead (SQLSTATE 40001): the caller rolls back and the other user's rows remain.
  // The caller's own transaction commits a batch's rows first.
  if (iniciaTransaccion(sentencia)) {
    terminarTransaccion();
    sql = "BEGIN ISOLATION LEVEL SERIALIZABLE";
  } else if (lotes_ > 0 && !transaccion_ &&
             PQtransactionStatus(sesion_->conexion) == PQTRANS_IDLE) {
    enviar(*sesion_, "BEGIN");
    transaccion_ = true;
  }
  try {
    enviar(*sesion_, sql);
  } catch (const ErrorPostgres&) {
    if (transaccion_) salvarTramo();
    throw;
  }
  if (transaccion_) {
    tramo_.push_back(std::move(sql));
    if (tramo_.size() >= kTramo) terminarTransaccion();
  }
  return 1;
}

void BasePostgres::abrirLote() {
  ++lotes_;
}

void BasePostgres::confirmarLote() {
  terminarTransaccion();
}

void BasePostgres::cerrarLote() {
  if (lotes_ > 0 && --lotes_ == 0) terminarTransaccion();
}

void BasePostgres::terminarTransaccion() {
  if (!transaccion_) return;
  transaccion_ = false;
  tramo_.clear();
  if (PQtransactionStatus(sesion_->conexion) == PQTRANS_IDLE) return;  // the caller ended it
  try {
    enviar(*sesion_, "COMMIT");
  } catch (const ErrorPostgres&) {
    if (!sesion_->perdida) PQclear(PQexec(sesion_->conexion, "ROLLBACK"));
    throw;
  }
}

// A statement that fails aborts the server's whole transaction. The statements of the batch
// since its last commit succeeded once; they are run again in a transaction of their own and
// committed, so they stay as they would have without a batch. The caller hears of the failure
// that started this, not of one while saving.
void BasePostgres::salvarTramo() {
  transaccion_ = false;
  std::vector<std::string> tramo = std::move(tramo_);
  tramo_.clear();
  if (sesion_->perdida) return;
  PQclear(PQexec(sesion_->conexion, "ROLLBACK"));
  if (tramo.empty()) return;
  try {
    enviar(*sesion_, "BEGIN");
    for (const std::string& s : tramo) enviar(*sesion_, s);
    enviar(*sesion_, "COMMIT");
  } catch (const ErrorPostgres&) {
    if (!sesion_->perdida) PQclear(PQexec(sesion_->conexion, "ROLLBACK"));
  }
}

std::unique_ptr<prjsumsal::Registros> BasePostgres::newrecord(const std::string& sentencia) {
  traza_.anotar("newrecord", sentencia);
  return abrirRegistros(sentencia, false);
}

std::unique_ptr<prjsumsal::Registros> BasePostgres::newrecord(const std::string& sentencia,
                                                              std::int16_t opcion) {
  traza_.anotar("newrecord", sentencia);
  if (opcion == prjsumsal::kSoloAvance && papel_ == Papel::Contabilidad) {
    if (auto cursor = abrirCursor(sentencia)) return cursor;
  }
  return abrirRegistros(sentencia, true);
}

// A forward-only set of the accounting database read through a cursor in the snapshot
// (registros_cursor.h); null inside a transaction of the caller's, where the set is read whole.
std::unique_ptr<prjsumsal::Registros> BasePostgres::abrirCursor(const std::string& sentencia) {
  terminarTransaccion();
  resolverAplazada();
  std::string sql = traducirJet(sentencia, Motor::Postgres);
  std::shared_ptr<Lectura> lectura = abrirLectura();
  if (!lectura) return nullptr;
  CanalCursor canal;
  canal.enviar = [s = sesion_](const std::string& q) { return enviar(*s, q).release(); };
  canal.fallo = [s = sesion_] {
    if (s->lectura == nullptr) return;
    s->lectura = nullptr;
    if (!s->perdida) PQclear(PQexec(s->conexion, "ROLLBACK"));
  };
  canal.lectura = lectura;
  try {
    return std::make_unique<RegistrosCursor>(std::move(canal), sql);
  } catch (const ErrorPostgres&) {
    terminarLecturaFallida();
    throw;
  }
}

namespace {

// A record set that keeps the snapshot it was read in open while it lives.
class RegistrosLeidos : public RegistrosMemoria {
 public:
  RegistrosLeidos(std::vector<std::string> columnas, Celdas celdas,
                  std::shared_ptr<BasePostgres::Lectura> lectura)
      : RegistrosMemoria(std::move(columnas), std::move(celdas)), lectura_(std::move(lectura)) {}

 private:
  std::shared_ptr<BasePostgres::Lectura> lectura_;
};

std::unique_ptr<prjsumsal::Registros> registrosDe(const PGresult* res,
                                                  std::shared_ptr<BasePostgres::Lectura> lectura) {
  int filas = PQntuples(res), n = PQnfields(res);
  std::vector<std::string> columnas;
  std::vector<unsigned> tipos;
  for (int c = 0; c < n; ++c) {
    columnas.emplace_back(PQfname(res, c));
    tipos.push_back(PQftype(res, c));
  }
  Celdas celdas(columnas.size());
  for (int f = 0; f < filas; ++f) {
    for (int c = 0; c < n; ++c) {
      if (PQgetisnull(res, f, c)) {
        celdas.agregarNulo();
      } else {
        celdas.agregar(
            valorPostgres(std::string_view(PQgetvalue(res, f, c),
                                           static_cast<std::size_t>(PQgetlength(res, f, c))),
                          tipos[static_cast<std::size_t>(c)]));
      }
    }
  }
  return std::make_unique<RegistrosLeidos>(std::move(columnas), std::move(celdas),
                                           std::move(lectura));
}

}  // namespace

std::shared_ptr<BasePostgres::Lectura> BasePostgres::abrirLectura() {
  std::shared_ptr<Lectura> lectura = lectura_.lock();
  if (lectura && sesion_->lectura != lectura.get()) lectura.reset();  // ended by a write
  // Inside a transaction the caller opened ("begin transaction"), reads belong to it.
  if (!lectura && PQtransactionStatus(sesion_->conexion) == PQTRANS_IDLE) {
    enviar(*sesion_, "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
    lectura = std::make_shared<Lectura>();
    lectura->sesion = sesion_;
    sesion_->lectura = lectura.get();
    lectura_ = lectura;
  }
  return lectura;
}

// A failed statement spoils the transaction; the next record set starts a new one.
void BasePostgres::terminarLecturaFallida() {
  if (sesion_->lectura != nullptr) {
    sesion_->lectura = nullptr;
    PQclear(PQexec(sesion_->conexion, "ROLLBACK"));
  }
}

std::unique_ptr<prjsumsal::Registros> BasePostgres::leer(const std::string& sql,
                                                         std::shared_ptr<Lectura> lectura) {
  Resultado r;
  try {
    r = enviar(*sesion_, sql);
  } catch (const ErrorPostgres&) {
    terminarLecturaFallida();
    throw;
  }
  return registrosDe(r.get(), std::move(lectura));
}

std::unique_ptr<prjsumsal::Registros> BasePostgres::abrirRegistros(const std::string& sentencia,
                                                                   bool agrupada) {
  terminarTransaccion();
  std::string sql = traducirJet(sentencia, Motor::Postgres);
  if (auto aplazada = aplazada_.lock(); aplazada && aplazada->pendiente()) {
    return leerALaPar(*aplazada, sql);
  }
  std::shared_ptr<Lectura> lectura = abrirLectura();
  // Inside the caller's transaction a second connection would not see its changes.
  if (!agrupada || papel_ != Papel::Contabilidad || !lectura) return leer(sql, lectura);
  try {
    preparar(*sesion_, sql);  // a statement rejected raises here
  } catch (const ErrorPostgres&) {
    terminarLecturaFallida();
    throw;
  }
  auto aplazada = std::make_shared<Aplazada>();
  aplazada->sentencia = sql;
  aplazada->leerSola = [this, sql, lectura] { return leer(sql, lectura); };
  aplazada_ = aplazada;
  return std::make_unique<RegistrosAplazados>(std::move(aplazada));
}

// A second connection inside a read-only transaction on the snapshot of this one's, or null
// when it cannot be had (the server refuses another connection, say).
std::unique_ptr<BasePostgres::Sesion> BasePostgres::segundaSesion() {
  std::string instantanea;
  try {
    Resultado r = enviar(*sesion_, "SELECT pg_export_snapshot()");
    instantanea = PQgetvalue(r.get(), 0, 0);
  } catch (const ErrorPostgres&) {
    terminarLecturaFallida();
    return nullptr;
  }
  auto otra = std::make_unique<Sesion>();
  otra->conexion = abrirConexion(sesion_->texto);
  otra->destino = sesion_->destino;
  otra->papel = papel_;
  if (otra->conexion == nullptr || PQstatus(otra->conexion) != CONNECTION_OK) return nullptr;
  PQsetNoticeProcessor(
      otra->conexion, [](void*, const char*) {}, nullptr);
  PQsetClientEncoding(otra->conexion, "UTF8");
  Resultado listo(PQexec(otra->conexion, ("SET DateStyle = ISO, YMD; "
                                          "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY; "
                                          "SET TRANSACTION SNAPSHOT '" +
                                          instantanea + "'")
                                             .c_str()));
  if (PQresultStatus(listo.get()) != PGRES_COMMAND_OK) return nullptr;
  return otra;
}

// The set that waited runs on a second connection, in the snapshot of this one, while this one
// runs here; without a second connection both run here, the set that waited first. Its failure
// is raised before this one's, as it would have come first.
std::unique_ptr<prjsumsal::Registros> BasePostgres::leerALaPar(Aplazada& aplazada,
                                                               const std::string& sql) {
  std::shared_ptr<Lectura> lectura;
  try {
    lectura = abrirLectura();
  } catch (const ErrorPostgres&) {
    aplazada.fallar(std::current_exception());  // it could not have been read either
    throw;
  }
  std::unique_ptr<Sesion> otra = lectura ? segundaSesion() : nullptr;
  if (otra && PQsendQueryParams(otra->conexion, aplazada.sentencia.c_str(), 0, nullptr, nullptr,
                                nullptr, nullptr, 0) != 1) {
    otra.reset();
  }
  if (!otra) {
    lectura = abrirLectura();  // a new one if exporting the snapshot spoilt this one
    aplazada.resolver();
    if (aplazada.error) std::rethrow_exception(aplazada.error);
    return leer(sql, lectura);
  }
  std::unique_ptr<prjsumsal::Registros> propias;
  std::exception_ptr falla;
  try {
    propias = leer(sql, lectura);
  } catch (...) {
    falla = std::current_exception();
  }
  try {
    Resultado r = recibir(*otra);
    aplazada.recibir(registrosDe(r.get(), lectura));
  } catch (...) {
    aplazada.fallar(std::current_exception());
  }
  otra.reset();  // the second connection is closed before the caller hears of anything
  ++a_la_par_;
  if (aplazada.error) std::rethrow_exception(aplazada.error);
  if (falla) std::rethrow_exception(falla);
  return propias;
}

void BasePostgres::resolverAplazada() {
  if (auto aplazada = aplazada_.lock()) aplazada->resolver();
}

std::string BasePostgres::Name() const {
  return nombre_;
}

const std::string& BasePostgres::destino() const {
  return sesion_->destino;
}

bool BasePostgres::hayFilas(const std::string& sql) {
  resolverAplazada();
  cerrarLote();
  return PQntuples(enviar(*sesion_, sql).get()) > 0;
}

namespace {

// The server process that answers a statement on `c`; 0 when it cannot be asked.
long procesoQueResponde(PGconn* c) {
  Resultado r(PQexec(c, "select pg_backend_pid()"));
  if (PQresultStatus(r.get()) != PGRES_TUPLES_OK || PQntuples(r.get()) != 1) return 0;
  return std::strtol(PQgetvalue(r.get(), 0, 0), nullptr, 10);
}

}  // namespace

// A connection of its own keeps one server process for its whole life. Through a pooler in
// transaction mode, the process the first statement used goes back to the pool when it ends:
// a second connection that begins a transaction next is usually handed that same process, and
// while the second holds it the first must be answered by another.
bool BasePostgres::conexionAgrupada() {
  siPerdida(*sesion_);
  if (PQtransactionStatus(sesion_->conexion) != PQTRANS_IDLE) return false;
  long primero = procesoQueResponde(sesion_->conexion);
  Sesion otra;
  otra.conexion = abrirConexion(sesion_->texto);
  long suyo = 0;
  if (otra.conexion != nullptr && PQstatus(otra.conexion) == CONNECTION_OK) {
    PQclear(PQexec(otra.conexion, "BEGIN"));
    suyo = procesoQueResponde(otra.conexion);
  }
  long despues = procesoQueResponde(sesion_->conexion);
  if (primero == 0 || despues == 0) return false;
  return suyo == primero || despues != primero;
}

bool BasePostgres::tomarCerrojo(std::int32_t clase) {
  Resultado r = enviar(*sesion_, "select pg_try_advisory_lock(" + std::to_string(clase) +
                                     ", hashtext(current_schema()))");
  return PQntuples(r.get()) == 1 && std::string_view(PQgetvalue(r.get(), 0, 0)) == "t";
}

}  // namespace suite
