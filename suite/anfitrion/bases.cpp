#include "bases.h"

#include "datos/base_sqlite.h"
#include "demo.h"
#include "host/error.h"

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

}  // namespace

Bases abrirBases(const Opciones& o, const prjsumsal::Fecha& hoy) {
  if (!o.demo.empty()) {
    ArchivosDemo demo = prepararDemo(o.demo, hoy);
    return {abrir("--demo", demo.contabilidad, Papel::Contabilidad),
            abrir("--demo", demo.informes, Papel::Informes)};
  }
  return {abrir("--contabilidad", o.contabilidad, Papel::Contabilidad),
          abrir("--informes", o.informes, Papel::Informes)};
}

}  // namespace suite
