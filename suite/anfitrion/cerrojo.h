#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "host/base_datos.h"

namespace suite::anfitrion {

// The hold of one run of nubo on a report database given with --informes, from before the form
// loads to after it unloads. The operating system, or the server, releases it when the process
// ends, however it ends (SIGKILL included); the object releases it when it dies. While it is
// held no other run of nubo uses the database, so anything a run leaves there (the work table
// `ctrsumsal`, its program's row in `programa`) was left by a run that was killed.
// The kind of advisory lock that holds a report database on a server, one per schema ("nubo"
// in ASCII).
inline constexpr std::int32_t kClaseCerrojo = 0x6e75626f;

class CerrojoInformes {
 public:
  virtual ~CerrojoInformes() = default;
};

// Takes the hold on the report database `base`, named `informes` on the command line. For an
// SQLite file it is an advisory lock (flock) on the file beside it, `informes` + ".nubo-lock"
// (the path with its links resolved), created when missing and never removed, because another
// run may be using it; for a database on a server, a session advisory lock on `base`'s own
// connection, for the schema it works in. When another run holds it: with `esperar`, it waits for
// it, saying so on `errores` in one line after a second; without, it raises prjsumsal::Error saying
// so. Raises prjsumsal::Error when the lock file cannot be made, and, without taking the lock,
// when the server is reached through a pooler in transaction mode (BasePostgres::
// conexionAgrupada), where a session's lock would outlive the run.
std::unique_ptr<CerrojoInformes> tomarInformes(const std::string& informes,
                                               prjsumsal::BaseDatos& base, bool esperar,
                                               std::ostream& errores);

}  // namespace suite::anfitrion
