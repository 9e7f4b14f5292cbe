#pragma once

#include <ostream>

#include "bases.h"
#include "opciones.h"

namespace suite::anfitrion {

// --ver: the balance viewer (suite::visor::VentanaVisor) on the accounting database, for the
// period, book and scope of the options (with --comparar, last year beside this year), until
// the user closes it. With --captura the same window is drawn without a screen into the picture
// instead, after the balance is read. It reads only the accounting database; the module's form
// plays no part. Returns the exit status: 1 when there is no screen (and no --captura), when
// the balance cannot be read, or when the picture cannot be written, with one line on `errores`.
int verBalance(const Opciones& o, Bases& bases, std::ostream& errores);

}  // namespace suite::anfitrion
