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

namespace suite::plataforma {

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

// Starts the program in `carpeta` with posix_spawn and returns its result (0 or an error
// number). The program gets the signals' default actions and an empty mask, and no file but
// the three standard ones; `sesionPropia` puts it in a session of its own, `salidaAErrores`
// sends its standard output to standard error. The intermediate process calls it after fork:
// nothing here but posix_spawn and its small attribute objects.
int iniciar(const char* ruta, const char* carpeta, bool sesionPropia, bool salidaAErrores,
            pid_t* programa) {
  posix_spawnattr_t atributos;
  posix_spawnattr_init(&atributos);
  sigset_t vacio, todas;
  sigemptyset(&vacio);
  sigfillset(&todas);
  posix_spawnattr_setsigmask(&atributos, &vacio);
  posix_spawnattr_setsigdefault(&atributos, &todas);
  short banderas = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
  if (sesionPropia) banderas |= POSIX_SPAWN_SETSID;
  posix_spawnattr_setflags(&atributos, banderas);
  posix_spawn_file_actions_t acciones;
  posix_spawn_file_actions_init(&acciones);
  if (salidaAErrores) posix_spawn_file_actions_adddup2(&acciones, STDERR_FILENO, STDOUT_FILENO);
  posix_spawn_file_actions_addclosefrom_np(&acciones, 3);
  posix_spawn_file_actions_addchdir_np(&acciones, carpeta);

  char* argumentos[] = {const_cast<char*>(ruta), nullptr};
  int resultado = posix_spawn(programa, ruta, &acciones, &atributos, argumentos, environ);
  posix_spawn_file_actions_destroy(&acciones);
  posix_spawnattr_destroy(&atributos);
  return resultado;
}

// Runs in the intermediate process: starts the program on its own and reports posix_spawn's
// result through `aviso`.
[[noreturn]] void intermedio(const char* ruta, const char* carpeta, bool salidaAErrores,
                             int aviso) {
  pid_t programa;
  int resultado = iniciar(ruta, carpeta, true, salidaAErrores, &programa);
  while (write(aviso, &resultado, sizeof resultado) < 0 && errno == EINTR) {
  }
  _exit(0);
}

// Starts the program through a short-lived intermediate process, which the host reaps at once.
void iniciarSuelto(const std::string& ruta, const char* carpeta, bool salidaAErrores) {
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
    intermedio(ruta.c_str(), carpeta, salidaAErrores, tubo[1]);
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

std::string nombre(const std::string& ruta) {
  return std::filesystem::path(ruta).filename().string();
}

}  // namespace

void ProcesosPosix::Shell(const std::string& ruta, int) {
  struct stat datos;
  if (stat(ruta.c_str(), &datos) != 0) throw noInicia(ruta, motivo(errno));
  if (!S_ISREG(datos.st_mode)) throw noInicia(ruta, "no es un archivo ejecutable");
  if (access(ruta.c_str(), X_OK) != 0) throw noInicia(ruta, motivo(errno));

  // The program runs in its own folder, where it finds the files that come with it, whatever
  // the host's working folder is.
  std::string carpeta = std::filesystem::path(ruta).parent_path().string();
  if (carpeta.empty()) carpeta = ".";

  if (modo_ == Modo::Suelto) {
    iniciarSuelto(ruta, carpeta.c_str(), salidaAErrores_);
    return;
  }
  pid_t programa;
  int resultado = iniciar(ruta.c_str(), carpeta.c_str(), false, salidaAErrores_, &programa);
  if (resultado != 0) throw noInicia(ruta, motivo(resultado));
  hijos_.push_back({programa, ruta});
}

ProcesosPosix::Fin ProcesosPosix::esperar() {
  Fin fin;
  for (const Hijo& h : hijos_) {
    int estado = 0;
    pid_t r;
    do {
      r = waitpid(h.pid, &estado, 0);
    } while (r < 0 && errno == EINTR);
    if (r < 0 || (WIFEXITED(estado) && WEXITSTATUS(estado) == 0) || !fin.bien) {
      continue;
    }
    fin.bien = false;
    if (WIFSIGNALED(estado)) {
      fin.motivo = nombre(h.ruta) + " terminó por la señal " + std::to_string(WTERMSIG(estado));
    }
  }
  hijos_.clear();
  return fin;
}

}  // namespace suite::plataforma
