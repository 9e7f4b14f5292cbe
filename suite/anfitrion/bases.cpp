#include "bases.h"

#include <sqlite3.h>

#include "archivos_ejecucion.h"
#include "datos/base_postgres.h"
#include "datos/base_sqlite.h"
#include "datos/esquema.h"
#include "demo/demo.h"
#include "demo/demo_postgres.h"
#include "host/error.h"
#include "host/sql.h"
#include "host/temporales.h"

namespace suite::anfitrion {

namespace fs = std::filesystem;
using datos::BasePostgres;
using datos::BaseSqlite;
using datos::kTablaPrograma;
using datos::Papel;
using demo::ArchivosDemo;
using demo::prepararDemo;
using demo::prepararDemoPostgres;

namespace {

std::shared_ptr<prjsumsal::BaseDatos> abrir(const char* opcion, const std::string& ruta,
                                            Papel papel) {
  // A server that cannot be reached is a failure of the run (status 1), not of the command
  // line: its message names the database, where it was sought and the cause. A report database
  // on a server has its report files in the user's cache folder.
  if (BasePostgres::esConexion(ruta)) {
    return BasePostgres::conectar(ruta, papel,
                                  papel == Papel::Informes ? carpetaCache() : fs::path());
  }
  std::error_code ec;
  if (!fs::exists(ruta, ec)) {
    throw ErrorUso(std::string(opcion) + ": No se encuentra la base de datos " +
                   fs::absolute(ruta).lexically_normal().string());
  }
  // A file that is there but cannot be opened is not a mistake of the command line.
  try {
    return BaseSqlite::abrir(ruta, papel);
  } catch (const prjsumsal::Error& e) {
    throw prjsumsal::Error(std::string(opcion) + ": " + e.what());
  }
}

// The side files SQLite keeps beside a database.
const char* const kSufijos[] = {"", "-wal", "-shm", "-journal"};

std::shared_ptr<InformesPropios> informesPropios() {
  return std::make_shared<InformesPropios>(archivoDeEjecucion("informes.db"));
}

// Drops what a run that was killed left in the report database: its work table and its
// program's row. Called with the run's hold on the database, which no other run then uses. On a
// server the work table is private to its connection and went with it. A database without the
// program control table is left for the form to report.
void soltarRestos(prjsumsal::BaseDatos& informes, const std::string& programa, bool servidor) {
  if (!servidor) informes.executesql("drop table if exists ctrsumsal");
  const std::string donde = " from programa where programa='" + prjsumsal::sqlTexto(programa) + "'";
  bool fila = false;
  try {
    fila = !informes.newrecord("select programa" + donde)->eof();
  } catch (const std::exception&) {
    return;
  }
  if (fila) informes.executesql("delete" + donde);
}

}  // namespace

InformesPropios::InformesPropios(fs::path archivo) : archivo_(std::move(archivo)) {
  for (const char* s : kSufijos) prjsumsal::anotarTemporal(archivo_.string() + s);
}

InformesPropios::~InformesPropios() {
  for (const char* s : kSufijos) {
    std::error_code ignorado;
    fs::remove(archivo_.string() + s, ignorado);
    prjsumsal::olvidarTemporal(archivo_.string() + s);
  }
}

Bases abrirBases(const Opciones& o, const prjsumsal::Fecha& hoy, std::ostream& errores) {
  Bases b;
  if (!o.demo.empty() && BasePostgres::esConexion(o.demo)) {
    b.contabilidad = abrir("--demo", o.demo, Papel::Contabilidad);
    prepararDemoPostgres(o.demo, hoy);
  } else if (!o.demo.empty()) {
    ArchivosDemo demo = prepararDemo(o.demo, hoy);
    b.contabilidad = abrir("--demo", demo.contabilidad, Papel::Contabilidad);
  } else {
    b.contabilidad = abrir("--contabilidad", o.contabilidad, Papel::Contabilidad);
  }
  if (!o.informes.empty()) {
    b.informes = abrir("--informes", o.informes, Papel::Informes);
    b.cerrojo = tomarInformes(o.informes, *b.informes, !o.noEsperar, errores);
    soltarRestos(*b.informes, o.programa, BasePostgres::esConexion(o.informes));
    return b;
  }
  // Made straight through the engine: the host's own set-up is no statement of the module's,
  // and stays out of the statement trace.
  b.propios = informesPropios();
  sqlite3* c = nullptr;
  int rc = sqlite3_open_v2(b.propios->archivo().c_str(), &c,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_exec(c, kTablaPrograma, nullptr, nullptr, nullptr);
  std::string motivo = c != nullptr ? sqlite3_errmsg(c) : sqlite3_errstr(rc);
  sqlite3_close(c);
  if (rc != SQLITE_OK) {
    throw prjsumsal::Error("No se puede crear la base de informes " +
                           b.propios->archivo().string() + ": " + motivo);
  }
  auto informes = BaseSqlite::abrir(b.propios->archivo(), Papel::Informes);
  informes->usoExclusivo();
  b.informes = std::move(informes);
  return b;
}

}  // namespace suite::anfitrion
