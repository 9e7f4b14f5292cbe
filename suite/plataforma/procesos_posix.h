#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "host/procesos.h"

namespace suite::plataforma {

// Starting an executable on Linux, as the host's Shell does: the program runs with no argument,
// the host's environment and none of the host's open files but the three standard ones, in its
// own folder (the module's companion finds its files there, whatever folder the host was
// started from). The window style has no meaning here and is ignored.
//
// The window leaves the program on its own (Modo::Suelto): in a session of its own, started by
// a short-lived intermediate process, so nothing waits for it and the system adopts and reaps
// it. A command line wants to know when it is done and how it went (Modo::Esperado): the
// program stays the host's child, in its process group (Ctrl-C on the terminal reaches both),
// until esperar().
class ProcesosPosix : public prjsumsal::Procesos {
 public:
  enum class Modo { Suelto, Esperado };

  // With `salidaAErrores` the program's standard output goes to the host's standard error, so
  // that what it prints never mixes with data the host writes to its standard output.
  explicit ProcesosPosix(Modo modo = Modo::Suelto, bool salidaAErrores = false)
      : modo_(modo), salidaAErrores_(salidaAErrores) {}

  // Returns once the program has been started. Raises an Error that names `ruta` when it cannot
  // be: missing, not a regular file, not executable, or refused by the system.
  void Shell(const std::string& ruta, int estilo) override;

  // How the programs started since the last call ended.
  struct Fin {
    bool bien = true;  // every one exited with status 0
    // When one did not: why, as one line, for a program that could not say it (ended by a
    // signal); empty when it exited with a failure status, having said why itself.
    std::string motivo;
  };
  // Waits for the programs Modo::Esperado has started since the last call, in their order.
  Fin esperar();

 private:
  struct Hijo {
    pid_t pid;
    std::string ruta;
  };
  Modo modo_;
  bool salidaAErrores_;
  std::vector<Hijo> hijos_;
};

}  // namespace suite::plataforma
