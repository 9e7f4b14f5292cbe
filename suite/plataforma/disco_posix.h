#pragma once

#include "host/disco.h"

namespace suite::plataforma {

// The disk of the programs on Linux: files opened with O_CLOEXEC, every write repeated until
// whole, fsync before the close, the folder synced after a rename, and processes told apart by
// PID and host name (kill(pid, 0) failing with ESRCH is a process that has ended).
class DiscoPosix : public prjsumsal::Disco {
 public:
  std::unique_ptr<Archivo> abrir(const std::string& ruta, bool nuevo, int& error) override;
  void sincronizarCarpeta(const std::string& carpeta) override;
  std::string dueno() override;
  bool terminado(const std::string& dueno) override;
};

// Installs a DiscoPosix as the process's disk (prjsumsal::plataforma().disco) and makes the
// usual termination signals remove the temporary files (limpiarAlTerminar): what every program
// of the suite that writes files does first.
void prepararEscritura();

}  // namespace suite::plataforma
