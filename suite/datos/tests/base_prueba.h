#pragma once

#include <libpq-fe.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "datos/base_postgres.h"
#include "datos/base_sqlite.h"
#include "datos/esquema.h"

namespace suite::prueba {

// The engine a test runs on. The tests of the database objects, the computation, the work table,
// the accountant record and the exports run once on SQLite and once more, under the prefix
// "pg.", with NUBO_PRUEBA_PG holding the URI of the PostgreSQL server that the test run started
// (scripts/servidor_pg.sh).
inline const char* servidorPrueba() {
  const char* uri = std::getenv("NUBO_PRUEBA_PG");
  return uri != nullptr && *uri != '\0' ? uri : nullptr;
}

inline bool enPostgres() {
  return servidorPrueba() != nullptr;
}

// The URI of a fresh, empty schema on the test server, one per call. The schemas are left in
// place: the cluster is thrown away at the end of the run.
inline std::string uriEsquemaNuevo() {
  static int n = 0;
  std::string nombre = "prueba_" + std::to_string(::getpid()) + "_" + std::to_string(n++);
  PGconn* c = PQconnectdb(servidorPrueba());
  PQclear(PQexec(c, ("create schema " + nombre).c_str()));
  PQfinish(c);
  return std::string(servidorPrueba()) + "&options=-csearch_path%3D" + nombre;
}

// An empty database for one test: in memory on SQLite, a schema of its own on the server.
inline std::unique_ptr<prjsumsal::BaseDatos> baseVacia(datos::Papel papel) {
  if (!enPostgres()) return datos::BaseSqlite::enMemoria(papel);
  return datos::BasePostgres::conectar(uriEsquemaNuevo(), papel);
}

// The report database's program control table on the engine the test runs on.
inline const char* tablaPrograma() {
  return enPostgres() ? datos::kTablaProgramaPostgres : datos::kTablaPrograma;
}

// The host's accounting tables in the types of the engine the test runs on.
inline const std::array<const char*, 5>& tablasContabilidad() {
  return enPostgres() ? datos::kTablasContabilidadPostgres : datos::kTablasContabilidad;
}

}  // namespace suite::prueba
