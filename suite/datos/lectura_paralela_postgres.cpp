#include <exception>

#include "datos/base_postgres.h"
#include "datos/error_postgres.h"
#include "datos/sesion_postgres.h"

namespace suite::datos {

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
  auto propias = [&] { return leer(sql, lectura); };
  if (!otra) {
    lectura = abrirLectura();  // a new one if exporting the snapshot spoilt this one
    return leerUnaTrasOtra(aplazada, propias);
  }
  return terminarALaPar(aplazada, propias, [&] {
    try {
      Resultado r = recibir(*otra);
      aplazada.recibir(registrosDe(r.get(), lectura));
    } catch (...) {
      aplazada.fallar(std::current_exception());
    }
    otra.reset();  // the second connection is closed before the caller hears of anything
    ++a_la_par_;
  });
}

}  // namespace suite::datos
