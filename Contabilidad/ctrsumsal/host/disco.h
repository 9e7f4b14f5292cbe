#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace prjsumsal {

// The calls a file written whole or not at all makes to the file system. The standard library
// cannot sync a file to the disk nor tell whether another process still lives; the host
// installs a disk that can (Plataforma::disco), and tests install one that fails on purpose.
// Every call returns 0 on success or the system's error number (ENOSPC, EIO ...).
class Disco {
 public:
  // A file open for writing.
  class Archivo {
   public:
    virtual ~Archivo() = default;
    // Writes all `n` bytes or fails.
    virtual int escribir(const char* datos, std::size_t n) = 0;
    // Puts what was written on the disk itself; a device or a pipe has nothing to sync.
    virtual int sincronizar() = 0;
    // Closes the file; called once, and the file is closed whatever it returns.
    virtual int cerrar() = 0;
  };

  virtual ~Disco() = default;

  // Opens `ruta` for writing: a new file that must not exist yet when `nuevo`, otherwise the
  // existing device or pipe as it is. Null with `error` set when it cannot.
  virtual std::unique_ptr<Archivo> abrir(const std::string& ruta, bool nuevo, int& error) = 0;

  // Syncs the folder after a file was renamed into it; a failure there changes nothing
  // for the caller, the file is already whole in its place.
  virtual void sincronizarCarpeta(const std::string& carpeta) = 0;

  // Who this process is, as "PID@MACHINE", to put in the names of its temporary files; empty
  // when the platform cannot tell.
  virtual std::string dueno() = 0;

  // True only when the process that `dueno` names (a value of dueno() from some process) has
  // surely ended: a process of this machine that no longer exists. Anything else, a process of
  // another machine sharing the folder included, is taken as alive.
  virtual bool terminado(const std::string& dueno) = 0;
};

// The standard library's disk: writes through C files, cannot sync nor tell processes apart.
Disco& discoEstandar();

}  // namespace prjsumsal
