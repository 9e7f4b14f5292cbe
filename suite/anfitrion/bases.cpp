#include "bases.h"

#include "datos/base_sqlite.h"
#include "demo.h"
#include "host/error.h"
#include "informes/instalar.h"

namespace suite {

namespace {

std::shared_ptr<prjsumsal::BaseDatos> abrir(const char* opcion, const std::string& ruta,
                                            Papel papel) {
  if (ruta.starts_with("postgresql://") || ruta.starts_with("postgres://")) {
    throw ErrorUso(std::string(opcion) + ": esta versión de nubo solo abre archivos SQLite");
  }
  try {
    return BaseSqlite::abrir(ruta, papel);
  } catch (const prjsumsal::Error& e) {
    throw ErrorUso(std::string(opcion) + ": " + e.what());
  }
}

// The report files belong in the report database's folder. One that cannot be written there
// is not a failure yet: a preview or print that needs it says which file is missing.
void instalarInformes(const std::filesystem::path& baseInformes) {
  try {
    std::filesystem::path carpeta = std::filesystem::absolute(baseInformes).parent_path();
    informes::instalarArchivosInforme(carpeta);
  } catch (const std::exception&) {
  }
}

}  // namespace

Bases abrirBases(const Opciones& o, const prjsumsal::Fecha& hoy) {
  if (!o.demo.empty()) {
    ArchivosDemo demo = prepararDemo(o.demo, hoy);
    Bases b{abrir("--demo", demo.contabilidad, Papel::Contabilidad),
            abrir("--demo", demo.informes, Papel::Informes)};
    instalarInformes(demo.informes);
    return b;
  }
  Bases b{abrir("--contabilidad", o.contabilidad, Papel::Contabilidad),
          abrir("--informes", o.informes, Papel::Informes)};
  instalarInformes(o.informes);
  return b;
}

}  // namespace suite
