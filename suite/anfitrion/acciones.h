#pragma once

#include <ostream>

#include "bases.h"
#include "opciones.h"

namespace suite::avance {
class LineaTerminal;
}

namespace suite::anfitrion {

// Where the actions write: the balance goes to `salida`, failures to `errores`; `terminal`
// tells whether `salida` is a terminal (aligned table) or not (tab-separated values); `avance`,
// when set, shows each action's progress.
struct Consola {
  std::ostream& salida;
  std::ostream& errores;
  bool terminal;
  avance::LineaTerminal* avance = nullptr;
};

// Runs the options' actions in their order on the open databases and returns the exit status:
// 0 when all went well, 1 after the first action that failed (its message is one line on
// `errores`, and the actions after it do not run).
int ejecutarAcciones(const Opciones& o, Bases& bases, Consola consola);

}  // namespace suite::anfitrion
