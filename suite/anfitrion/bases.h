#pragma once

#include <memory>

#include "host/basedatos.h"
#include "host/fecha.h"
#include "opciones.h"

namespace suite {

// The host's two database objects, shared with the module while its form lives.
struct Bases {
  std::shared_ptr<prjsumsal::BaseDatos> contabilidad;
  std::shared_ptr<prjsumsal::BaseDatos> informes;
};

// Opens the databases the options name: the demo folder's (created first when missing, with
// `hoy` as the last day of its vouchers) or the two files given. A file is never created here:
// a missing file or one that is not a database raises ErrorUso naming the option and the file.
Bases abrirBases(const Opciones& o, const prjsumsal::Fecha& hoy);

}  // namespace suite
