// What the engines refuse, told to the user: each well-known refusal is said in Spanish, followed
// by the engine's own text for support, in one line of standard error. The cases on a server run
// against the test run's throwaway cluster.
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <algorithm>
#include <fstream>

#include "ayuda_pruebas.h"
#include "datos/esquema.h"
#include "datos/tests/base_prueba.h"

namespace suite::anfitrion {
namespace {

namespace fs = std::filesystem;

// Runs `sql` on the database `nombre` of the test server (its maintenance database when empty).
void enServidor(const std::string& nombre, const std::string& sql) {
  std::string uri = prueba::servidorPrueba();
  if (!nombre.empty()) uri.replace(uri.find("/postgres?"), 10, "/" + nombre + "?");
  PGconn* c = PQconnectdb(uri.c_str());
  PGresult* r = PQexec(c, sql.c_str());
  EXPECT_NE(PQresultStatus(r), PGRES_FATAL_ERROR) << sql << ": " << PQerrorMessage(c);
  PQclear(r);
  PQfinish(c);
}

// A database of its own on the server with the host's tables, which no session may change.
std::string baseSoloLectura() {
  const std::string nombre = "solo_lectura_" + std::to_string(::getpid());
  enServidor("", "drop database if exists " + nombre);
  enServidor("", "create database " + nombre);
  std::string sql =
      "insert into admempresa(n_empresa) values('EMPRESA');"
      "insert into ctccomprmm(empresa) values(1);";
  for (const char* t : datos::kTablasContabilidadPostgres) sql = std::string(t) + ";" + sql;
  enServidor(nombre, sql);
  enServidor("", "alter database " + nombre + " set default_transaction_read_only = on");
  std::string uri = prueba::servidorPrueba();
  return uri.replace(uri.find("/postgres?"), 10, "/" + nombre + "?");
}

// A situation, nubo's arguments in it, and the Spanish words and the engine's own text that its
// one line of standard error says, in that order.
struct Caso {
  std::string situacion;
  std::vector<std::string> args;
  std::string castellano, motor;
};

// The cases on the test server, when the run has one.
std::vector<Caso> casosServidor() {
  if (!prueba::enPostgres()) return {};
  std::string servidor = prueba::servidorPrueba();
  return {{"una base que no existe en el servidor",
           {"--contabilidad", servidor.replace(servidor.find("/postgres?"), 10, "/no_existe?")},
           "la base de datos no existe en el servidor",
           "database \"no_existe\" does not exist"},
          {"grabar el contador en una base de solo lectura",
           {"--contabilidad", baseSoloLectura(), "--contador", "Ana", "--grabar-contador"},
           "es de solo lectura",
           "read-only transaction"}};
}

TEST(MensajesMotor, CadaRechazoSeDiceEnCastellanoConElTextoDelMotor) {
  prueba::Carpeta carpeta;
  const fs::path sinCentros = carpeta.ruta() / "sin.db", informes = carpeta.ruta() / "informes.db",
                 basura = carpeta.ruta() / "basura.db", ocupada = carpeta.ruta() / "ocupada.db";
  prueba::crearBaseChica(sinCentros);
  prueba::crearBase(sinCentros,
                    "drop table ctmcentros; insert into admempresa(n_empresa) values('EMPRESA')");
  prueba::crearBaseChica(ocupada);
  prueba::crearBase(informes, "create table programa(programa TEXT)");
  std::ofstream(basura) << std::string(4096, 'x');
  // Another program writing: it holds the write lock of a database in rollback-journal mode.
  sqlite3* escritor = nullptr;
  sqlite3_open(ocupada.c_str(), &escritor);
  ASSERT_EQ(sqlite3_exec(escritor, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

  std::vector<Caso> casos = {
      {"un archivo que no es SQLite",
       {"--contabilidad", basura, "--texto"},
       "no es una base de datos SQLite",
       "file is not a database"},
      {"una base a la que le falta una tabla",
       {"--contabilidad", sinCentros, "--texto"},
       "no es una base de contabilidad: le falta la tabla ctmcentros",
       "no such table: ctmcentros"},
      {"la vista previa tras una preparación fallida dice solo la falla",
       {"--contabilidad", sinCentros, "--vista-previa", (carpeta.ruta() / "v.pdf").string()},
       "le falta la tabla ctmcentros",
       "no such table: ctmcentros"},
      {"una base ocupada por lo que graba otro programa",
       {"--contabilidad", ocupada, "--texto"},
       "está ocupada con lo que graba otro programa",
       "database is locked"},
  };
  for (Caso& c : casosServidor()) casos.push_back(std::move(c));
  for (const auto& c : casos) {
    SCOPED_TRACE(c.situacion);
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--informes", informes.string(), "--desde", "01/03/2025", "--hasta",
                             "31/03/2025"});
    auto e = prueba::correrNubo(args);
    EXPECT_EQ(e.estado, 1) << e.errores;
    auto castellano = e.errores.find(c.castellano);
    auto motor = e.errores.find(c.motor);
    EXPECT_NE(castellano, std::string::npos) << e.errores;
    EXPECT_NE(motor, std::string::npos) << e.errores;
    EXPECT_LT(castellano, motor) << e.errores;
    EXPECT_EQ(std::count(e.errores.begin(), e.errores.end(), '\n'), 1) << e.errores;
  }
  sqlite3_close(escritor);
}

}  // namespace
}  // namespace suite::anfitrion
