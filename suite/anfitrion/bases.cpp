#include "bases.h"

#include <cstdlib>
#include <filesystem>

#include "datos/base_postgres.h"
#include "datos/base_sqlite.h"
#include "demo.h"
#include "demo_postgres.h"
#include "host/error.h"

namespace suite {

namespace {

// The user's cache folder for nubo ($XDG_CACHE_HOME/nubo or ~/.cache/nubo), created when
// missing; the system's temporary folder when there is none.
std::filesystem::path carpetaLocal() {
  namespace fs = std::filesystem;
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  fs::path base = xdg != nullptr && *xdg != '\0'     ? fs::path(xdg)
                  : home != nullptr && *home != '\0' ? fs::path(home) / ".cache"
                                                     : fs::path();
  std::error_code ec;
  if (!base.empty() &&
      (fs::create_directories(base / "nubo", ec), fs::is_directory(base / "nubo", ec))) {
    return base / "nubo";
  }
  return fs::temp_directory_path();
}

std::shared_ptr<prjsumsal::BaseDatos> abrir(const char* opcion, const std::string& ruta,
                                            Papel papel) {
  // A server that cannot be reached is a failure of the run (status 1), not of the command
  // line: its message names the database, where it was sought and the cause. A report database
  // on a server has its report files in the user's cache folder.
  if (BasePostgres::esConexion(ruta)) {
    return BasePostgres::conectar(ruta, papel, papel == Papel::Informes ? carpetaLocal() : "");
  }
  try {
    return BaseSqlite::abrir(ruta, papel);
  } catch (const prjsumsal::Error& e) {
    throw ErrorUso(std::string(opcion) + ": " + e.what());
  }
}

}  // namespace

Bases abrirBases(const Opciones& o, const prjsumsal::Fecha& hoy) {
  if (!o.demo.empty() && BasePostgres::esConexion(o.demo)) {
    // The demo company on a server: one database serves as accounting and report database.
    Bases b{abrir("--demo", o.demo, Papel::Contabilidad), abrir("--demo", o.demo, Papel::Informes)};
    prepararDemoPostgres(o.demo, hoy);
    return b;
  }
  if (!o.demo.empty()) {
    ArchivosDemo demo = prepararDemo(o.demo, hoy);
    return {abrir("--demo", demo.contabilidad, Papel::Contabilidad),
            abrir("--demo", demo.informes, Papel::Informes)};
  }
  return {abrir("--contabilidad", o.contabilidad, Papel::Contabilidad),
          abrir("--informes", o.informes, Papel::Informes)};
}

}  // namespace suite
