#include "datos/sesion_postgres.h"

#include <vector>

#include "datos/error_postgres.h"
#include "datos/explicacion.h"
#include "datos/registros_memoria.h"
#include "datos/valores_postgres.h"

namespace suite::datos {

namespace {

// Whether a failure means the connection is gone: a lost connection (class 08) or a server
// that shut the session down (57P01 to 57P03).
bool conexionPerdida(PGconn* c, const std::string& estado) {
  return PQstatus(c) == CONNECTION_BAD || estado.starts_with("08") || estado == "57P01" ||
         estado == "57P02" || estado == "57P03";
}

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

// A record set that keeps the snapshot it was read in open while it lives.
class RegistrosLeidos : public RegistrosMemoria {
 public:
  RegistrosLeidos(std::vector<std::string> columnas, Celdas celdas,
                  std::shared_ptr<BasePostgres::Lectura> lectura)
      : RegistrosMemoria(std::move(columnas), std::move(celdas)), lectura_(std::move(lectura)) {}

 private:
  std::shared_ptr<BasePostgres::Lectura> lectura_;
};

}  // namespace

BasePostgres::Lectura::~Lectura() {
  if (sesion->lectura != this) return;  // already ended by an executesql or a failure
  sesion->lectura = nullptr;
  if (!sesion->perdida) PQclear(PQexec(sesion->conexion, "COMMIT"));
}

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

// A server that does not answer is given up after 15 seconds unless the caller's text says
// otherwise (its options come after, so they win); the program's name shows in the server's
// list of sessions.
PGconn* abrirConexion(const std::string& texto) {
  const char* claves[] = {"connect_timeout", "dbname", "fallback_application_name", nullptr};
  const char* valores[] = {"15", texto.c_str(), "nubo", nullptr};
  return PQconnectdbParams(claves, valores, 1);
}

void siPerdida(const BasePostgres::Sesion& s) {
  if (s.perdida) throw ErrorPostgres(mensajePerdida(s), "08003");
}

Resultado enviar(BasePostgres::Sesion& s, const std::string& sql) {
  siPerdida(s);
  // The extended protocol runs exactly one statement: a value that breaks its quotes cannot
  // smuggle in a second one.
  return comprobar(s, Resultado(PQexecParams(s.conexion, sql.c_str(), 0, nullptr, nullptr, nullptr,
                                             nullptr, 0)));
}

void preparar(BasePostgres::Sesion& s, const std::string& sql) {
  siPerdida(s);
  comprobar(s, Resultado(PQprepare(s.conexion, "", sql.c_str(), 0, nullptr)));
}

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

}  // namespace suite::datos
