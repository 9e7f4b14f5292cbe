#pragma once

#include <filesystem>
#include <memory>
#include <ostream>

#include "carpeta_cache.h"
#include "cerrojo.h"
#include "host/base_datos.h"
#include "host/fecha.h"
#include "opciones.h"

namespace suite::anfitrion {

// A report database made for one run, removed with its side files when the run ends (or, through
// the registry of temporary files, when a signal ends it; or, when the run was killed outright,
// by the next run: archivos_ejecucion.h).
class InformesPropios {
 public:
  explicit InformesPropios(std::filesystem::path archivo);
  ~InformesPropios();
  InformesPropios(const InformesPropios&) = delete;
  InformesPropios& operator=(const InformesPropios&) = delete;
  const std::filesystem::path& archivo() const { return archivo_; }

 private:
  std::filesystem::path archivo_;
};

// The host's two database objects, shared with the module while its form lives.
struct Bases {
  // The run's hold on a report database given with --informes; declared first, so that it is
  // released last, after the databases are closed.
  std::shared_ptr<CerrojoInformes> cerrojo;
  std::shared_ptr<InformesPropios> propios;  // set when the run made its own report database
  std::shared_ptr<prjsumsal::BaseDatos> contabilidad;
  std::shared_ptr<prjsumsal::BaseDatos> informes;
};

// Opens the databases the options name: the demo folder's accounting database (created first
// when missing, with `hoy` as the last day of its vouchers) or the file given. The report
// database is the one --informes names; without it the run gets its own, new and empty, in the
// user's cache folder (archivoDeEjecucion), so that runs at the same time never share a work
// table. Any of them may be a PostgreSQL database named by a libpq URI or
// keyword string (the demo company is then created there when missing); a server that cannot be
// reached raises an Error naming the cause. A file named is never created here: a missing file
// raises ErrorUso
// naming the option and the file; a file that cannot be opened or read (locked, not a database,
// empty) raises prjsumsal::Error naming them. A report database given by --informes is held
// for the whole run (tomarInformes: waiting for another run that holds it, saying so on
// `errores`, or, with --no-esperar, raising prjsumsal::Error); then what a run that was killed
// left there (the work table `ctrsumsal`, the program's row in `programa`) is dropped: no live
// form owns it.
Bases abrirBases(const Opciones& o, const prjsumsal::Fecha& hoy, std::ostream& errores);

}  // namespace suite::anfitrion
