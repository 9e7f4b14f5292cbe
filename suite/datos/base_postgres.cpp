#include "datos/base_postgres.h"

#include <libpq-fe.h>

#include "datos/dialecto_jet.h"
#include "datos/error_postgres.h"
#include "datos/registros_cursor.h"
#include "datos/sesion_postgres.h"
#include "host/solo_avance.h"

namespace suite::datos {

BasePostgres::BasePostgres(std::shared_ptr<Sesion> sesion, Papel papel, std::string nombre)
    : sesion_(std::move(sesion)), papel_(papel), nombre_(std::move(nombre)), traza_(papel) {}

BasePostgres::~BasePostgres() {
  resolverAplazada();
  // A batch left open by a caller that never ended it keeps what it wrote.
  if (transaccion_ && !sesion_->perdida) PQclear(PQexec(sesion_->conexion, "COMMIT"));
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

}  // namespace suite::datos
