#pragma once

#include <libpq-fe.h>

#include <memory>
#include <string>

#include "datos/base_postgres.h"

// What the parts of BasePostgres share: the connection, a statement sent and its result
// received, and the record set made of a result.
namespace suite::datos {

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
  ~Lectura();
};

struct LiberarResultado {
  void operator()(PGresult* r) const { PQclear(r); }
};
using Resultado = std::unique_ptr<PGresult, LiberarResultado>;

// libpq's messages on one line: its continuation lines start with a newline and a tab.
std::string unaLinea(std::string t);

// A connection to the database that `texto` names, given up after 15 seconds unless the text
// says otherwise.
PGconn* abrirConexion(const std::string& texto);

// Raises an ErrorPostgres that says the connection was lost, if it was.
void siPerdida(const BasePostgres::Sesion& s);

// Sends one statement and returns its result. Raises an ErrorPostgres with the server's message
// when it failed, and marks the session lost when the failure means the connection is gone.
Resultado enviar(BasePostgres::Sesion& s, const std::string& sql);

// Has the server parse and check the statement without running it: a missing table or column
// raises as when it runs.
void preparar(BasePostgres::Sesion& s, const std::string& sql);

// The result of the statement sent with PQsendQueryParams, or raises as enviar() does.
Resultado recibir(BasePostgres::Sesion& s);

// The rows of a result as a record set that keeps the snapshot `lectura` open while it lives.
std::unique_ptr<prjsumsal::Registros> registrosDe(const PGresult* res,
                                                  std::shared_ptr<BasePostgres::Lectura> lectura);

}  // namespace suite::datos
