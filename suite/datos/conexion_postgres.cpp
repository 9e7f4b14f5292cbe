#include <cctype>
#include <cstdlib>

#include "datos/base_postgres.h"
#include "datos/error_postgres.h"
#include "datos/sesion_postgres.h"

// How BasePostgres reaches its server: the address, the connection and its settings, and what
// the connection turns out to be (a pooler's, the holder of a lock).
namespace suite::datos {

namespace {

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

// The server process that answers a statement on `c`; 0 when it cannot be asked.
long procesoQueResponde(PGconn* c) {
  Resultado r(PQexec(c, "select pg_backend_pid()"));
  if (PQresultStatus(r.get()) != PGRES_TUPLES_OK || PQntuples(r.get()) != 1) return 0;
  return std::strtol(PQgetvalue(r.get(), 0, 0), nullptr, 10);
}

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

}  // namespace suite::datos
