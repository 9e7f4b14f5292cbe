#pragma once

#include <string>

#include "host/procesos.h"

namespace suite {

// Starting an executable on Linux, as the host's Shell does: the program runs on its own, in a
// session of its own, with no argument, the host's environment and none of the host's open
// files, in its own folder (the module's companion finds its files there, whatever folder the
// host was started from). Nothing waits for it, and it never becomes a zombie of the host: it is started by a
// short-lived intermediate process, so the system adopts and reaps it. The window style has
// no meaning here and is ignored.
class ProcesosPosix : public prjsumsal::Procesos {
 public:
  // Returns once the program has been started. Raises an Error that names `ruta` when it cannot
  // be: missing, not a regular file, not executable, or refused by the system.
  void Shell(const std::string& ruta, int estilo) override;
};

}  // namespace suite
