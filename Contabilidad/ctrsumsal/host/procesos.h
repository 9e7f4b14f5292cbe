#pragma once

#include <string>

namespace prjsumsal {

// Starting an executable, as the platform's Shell does.
class Procesos {
 public:
  virtual ~Procesos() = default;
  // Starts the executable at `ruta` without arguments, with the window style given (1: a
  // normal window that takes the focus), and returns as soon as it has started; nothing waits
  // for it. Raises an Error naming the path when it cannot be started (missing, not runnable).
  virtual void Shell(const std::string& ruta, int estilo) = 0;
};

}  // namespace prjsumsal
