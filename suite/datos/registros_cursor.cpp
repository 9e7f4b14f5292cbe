#include "datos/registros_cursor.h"

#include <libpq-fe.h>

#include <atomic>

#include "datos/registros_memoria.h"
#include "datos/valores_postgres.h"
#include "host/error.h"

namespace suite::datos {

using prjsumsal::Error;

void RegistrosCursor::Liberar::operator()(pg_result* r) const {
  PQclear(r);
}

RegistrosCursor::RegistrosCursor(CanalCursor canal, const std::string& sql)
    : canal_(std::move(canal)) {
  static std::atomic<unsigned long> cursores{0};
  nombre_ = "nubo_avance_" + std::to_string(++cursores);
  PQclear(canal_.enviar("DECLARE " + nombre_ + " NO SCROLL CURSOR WITH HOLD FOR " + sql));
  declarado_ = true;
  traer();
}

RegistrosCursor::~RegistrosCursor() {
  if (!declarado_) return;
  try {
    // The cursor is gone when the transaction it was declared in was rolled back (another
    // set's failure); a CLOSE that failed would then spoil the transaction open now.
    std::unique_ptr<pg_result, Liberar> hay(
        canal_.enviar("SELECT 1 FROM pg_catalog.pg_cursors WHERE name = '" + nombre_ + "'"));
    if (PQntuples(hay.get()) > 0) PQclear(canal_.enviar("CLOSE " + nombre_));
  } catch (const std::exception&) {
    // A connection lost takes the cursor with it.
  }
}

void RegistrosCursor::traer() {
  try {
    tanda_.reset(canal_.enviar("FETCH FORWARD " + std::to_string(kTanda) + " FROM " + nombre_));
  } catch (const std::exception&) {
    fin_ = true;
    tanda_.reset();
    declarado_ = false;  // the transaction ends with the failure, and the cursor with it
    if (auto fallo = std::move(canal_.fallo)) fallo();
    throw;
  }
  fila_ = 0;
  filas_ = PQntuples(tanda_.get());
  if (columnas_.empty()) {
    for (int c = 0; c < PQnfields(tanda_.get()); ++c) {
      columnas_.emplace(minusculas(PQfname(tanda_.get(), c)), c);  // the first of a name wins
      tipos_.push_back(PQftype(tanda_.get(), c));
    }
  }
  if (filas_ == 0) {
    fin_ = true;
    tanda_.reset();
  }
}

void RegistrosCursor::MoveNext() {
  if (fin_) throw Error("No hay registro activo");
  if (++fila_ < filas_) return;
  // A batch shorter than asked for is the last.
  if (filas_ < kTanda) {
    fin_ = true;
    tanda_.reset();
    return;
  }
  traer();
}

prjsumsal::Campo RegistrosCursor::fields(std::string_view nombre) const {
  auto it = columnas_.find(minusculas(nombre));
  if (it == columnas_.end()) {
    throw Error("No se encontró el campo '" + std::string(nombre) +
                "' en el conjunto de registros");
  }
  if (fin_) throw Error("No hay registro activo (campo '" + std::string(nombre) + "')");
  const int c = it->second;
  if (PQgetisnull(tanda_.get(), fila_, c)) return prjsumsal::Campo{};
  std::string_view texto(PQgetvalue(tanda_.get(), fila_, c),
                         static_cast<std::size_t>(PQgetlength(tanda_.get(), fila_, c)));
  return prjsumsal::Campo{valorPostgres(texto, tipos_[static_cast<std::size_t>(c)])};
}

void RegistrosCursor::findfirst(std::string_view) {
  throw Error("findfirst no está disponible en un conjunto de registros de solo avance");
}

}  // namespace suite::datos
