#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace suite::prueba {

// A CUPS scheduler of the test's own: configuration, spool, logs and its Unix socket in a
// temporary folder, and one raw queue whose device writes every job to a file there. It points
// CUPS_SERVER at its socket while it lives, so the programs the test starts print to it, and
// stops the scheduler and removes the folder when it dies, also when the test fails. Running as
// root, the scheduler runs its backend as the user lp, so the folders it writes are open to it.
class CupsPrivado {
 public:
  // Starts the scheduler and adds the queue `cola`. Raises std::runtime_error with the
  // scheduler's log when it does not come up.
  explicit CupsPrivado(const std::string& cola);
  ~CupsPrivado();
  CupsPrivado(const CupsPrivado&) = delete;
  CupsPrivado& operator=(const CupsPrivado&) = delete;

  // The file the queue's device writes.
  const std::filesystem::path& impreso() const { return impreso_; }
  // Waits until the scheduler has no pending job and the printed file is there; false if that
  // does not happen within a minute.
  bool esperarTrabajos() const;

 private:
  // Stops the scheduler and removes the folder; nothing when already done.
  void parar();

  std::filesystem::path carpeta_;
  std::filesystem::path impreso_;
  std::string socket_;
  pid_t pid_ = -1;
};

}  // namespace suite::prueba
