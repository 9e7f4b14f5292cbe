#include "plataforma/procesos_posix.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "host/error.h"

extern char** environ;

namespace suite {

namespace {

prjsumsal::Error noInicia(const std::string& ruta, const std::string& motivo) {
  return prjsumsal::Error("No se puede iniciar " + ruta + ": " + motivo);
}

std::string motivo(int e) {
  switch (e) {
    case ENOENT:
      return "el archivo no existe";
    case EACCES:
    case EPERM:
      return "no tiene permiso de ejecución";
    case ENOEXEC:
      return "no es un programa que el sistema pueda ejecutar";
    default:
      return std::strerror(e);
  }
}

// Runs in the intermediate process: starts the program in `carpeta` and reports posix_spawn's
// result (0 or an error number) through `aviso`. Only calls that are safe after fork in a
// threaded host.
[[noreturn]] void intermedio(const char* ruta, const char* carpeta, int aviso) {
  posix_spawnattr_t atributos;
  posix_spawnattr_init(&atributos);
  sigset_t vacio, todas;
  sigemptyset(&vacio);
  sigfillset(&todas);
  posix_spawnattr_setsigmask(&atributos, &vacio);
  posix_spawnattr_setsigdefault(&atributos, &todas);
  posix_spawnattr_setflags(&atributos,
                           POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
  posix_spawn_file_actions_t acciones;
  posix_spawn_file_actions_init(&acciones);
  posix_spawn_file_actions_addclosefrom_np(&acciones, 3);
  posix_spawn_file_actions_addchdir_np(&acciones, carpeta);

  char* argumentos[] = {const_cast<char*>(ruta), nullptr};
  pid_t programa;
  int resultado = posix_spawn(&programa, ruta, &acciones, &atributos, argumentos, environ);
  while (write(aviso, &resultado, sizeof resultado) < 0 && errno == EINTR) {
  }
  _exit(0);
}

}  // namespace

void ProcesosPosix::Shell(const std::string& ruta, int) {
  struct stat datos;
  if (stat(ruta.c_str(), &datos) != 0) throw noInicia(ruta, motivo(errno));
  if (!S_ISREG(datos.st_mode)) throw noInicia(ruta, "no es un archivo ejecutable");
  if (access(ruta.c_str(), X_OK) != 0) throw noInicia(ruta, motivo(errno));

  // The program runs in its own folder, where it finds the files that come with it, whatever
  // the host's working folder is.
  const std::string carpeta = std::filesystem::path(ruta).parent_path().string();

  int tubo[2];
  if (pipe2(tubo, O_CLOEXEC) != 0) throw noInicia(ruta, motivo(errno));
  pid_t hijo = fork();
  if (hijo < 0) {
    int e = errno;
    close(tubo[0]);
    close(tubo[1]);
    throw noInicia(ruta, motivo(e));
  }
  if (hijo == 0) {
    close(tubo[0]);
    intermedio(ruta.c_str(), carpeta.empty() ? "." : carpeta.c_str(), tubo[1]);
  }

  close(tubo[1]);
  int resultado = 0;
  ssize_t leidos;
  do {
    leidos = read(tubo[0], &resultado, sizeof resultado);
  } while (leidos < 0 && errno == EINTR);
  close(tubo[0]);
  while (waitpid(hijo, nullptr, 0) < 0 && errno == EINTR) {
  }

  if (leidos != static_cast<ssize_t>(sizeof resultado)) {
    throw noInicia(ruta, "el proceso intermedio terminó sin iniciarlo");
  }
  if (resultado != 0) throw noInicia(ruta, motivo(resultado));
}

}  // namespace suite
