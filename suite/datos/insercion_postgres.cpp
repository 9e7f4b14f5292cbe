#include <vector>

#include "datos/base_postgres.h"
#include "datos/dialecto_jet.h"
#include "datos/error_postgres.h"
#include "datos/sesion_postgres.h"

// What BasePostgres does with the statements that write: the translation, the caller's
// transaction and the batch's, whose statements are run again when one fails.
namespace suite::datos {

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
  } else if (enLote() && !transaccion_ && PQtransactionStatus(sesion_->conexion) == PQTRANS_IDLE) {
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

}  // namespace suite::datos
