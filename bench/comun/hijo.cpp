#include "hijo.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <stdexcept>

namespace bench {
namespace {

using Reloj = std::chrono::steady_clock;

// The processor time of this process so far, all its threads, user and system.
double cpuPropia() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double desde(Reloj::time_point inicio) {
  return std::chrono::duration<double>(Reloj::now() - inicio).count();
}

void escribirTodo(int fd, const std::string& datos) {
  std::size_t hecho = 0;
  while (hecho < datos.size()) {
    ssize_t n = ::write(fd, datos.data() + hecho, datos.size() - hecho);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    hecho += static_cast<std::size_t>(n);
  }
}

std::string leerTodo(int fd) {
  std::string datos;
  char bloque[4096];
  for (;;) {
    ssize_t n = ::read(fd, bloque, sizeof bloque);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    datos.append(bloque, static_cast<std::size_t>(n));
  }
  return datos;
}

// Waits for the child and returns its peak resident memory, and its processor time (user and
// system) in `cpu` when given; raises when it did not exit cleanly (Excedido when its alarm
// stopped it).
long esperar(pid_t pid, const std::string& quien, int limite = 0, double* cpu = nullptr) {
  int estado = 0;
  rusage uso{};
  while (::wait4(pid, &estado, 0, &uso) < 0) {
    if (errno != EINTR) throw std::runtime_error("wait4: " + std::string(std::strerror(errno)));
  }
  if (WIFSIGNALED(estado) && WTERMSIG(estado) == SIGALRM && limite > 0) throw Excedido(limite);
  if (WIFSIGNALED(estado)) {
    throw std::runtime_error(quien + " terminó por la señal " + std::to_string(WTERMSIG(estado)));
  }
  if (WEXITSTATUS(estado) != 0) {
    throw std::runtime_error(quien + " terminó con estado " + std::to_string(WEXITSTATUS(estado)));
  }
  if (cpu != nullptr) {
    *cpu = static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
           static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
  }
  return uso.ru_maxrss;
}

}  // namespace

Medida enHijo(const std::function<std::string()>& fase, int limite) {
  int tubo[2];
  if (::pipe(tubo) != 0) throw std::runtime_error("pipe: " + std::string(std::strerror(errno)));
  std::fflush(nullptr);
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork: " + std::string(std::strerror(errno)));
  if (pid == 0) {
    ::close(tubo[0]);
    // The first line says how it went: the time in seconds, or "!" before an error text.
    std::string salida;
    int estado = 0;
    try {
      if (limite > 0) ::alarm(static_cast<unsigned>(limite));
      auto inicio = Reloj::now();
      double cpuAntes = cpuPropia();
      std::string texto = fase();
      char cifra[96];
      std::snprintf(cifra, sizeof cifra, "%.9f %.9f\n", desde(inicio), cpuPropia() - cpuAntes);
      salida = cifra + texto;
    } catch (const std::exception& e) {
      salida = std::string("!\n") + e.what();
      estado = 3;
    }
    escribirTodo(tubo[1], salida);
    ::close(tubo[1]);
    std::fflush(nullptr);
    ::_exit(estado);
  }
  ::close(tubo[1]);
  std::string salida = leerTodo(tubo[0]);
  ::close(tubo[0]);
  long kib = 0;
  try {
    kib = esperar(pid, "el proceso de medición", limite);
  } catch (const std::runtime_error&) {
    if (salida.rfind("!\n", 0) == 0) throw std::runtime_error(salida.substr(2));
    throw;
  }
  auto fin = salida.find('\n');
  if (fin == std::string::npos) throw std::runtime_error("el proceso de medición no informó");
  std::size_t tras = 0;
  double segundos = std::stod(salida.substr(0, fin), &tras);
  return Medida{segundos, kib, salida.substr(fin + 1), std::stod(salida.substr(tras, fin - tras))};
}

Medida mejorDe(int veces, const std::function<std::string()>& fase, int limite,
               const std::function<std::string()>& antes) {
  Medida mejor;
  for (int i = 0; i < veces; ++i) {
    if (antes) enHijo(antes);
    Medida m = enHijo(fase, limite);
    mejor.segundos = i == 0 ? m.segundos : std::min(mejor.segundos, m.segundos);
    mejor.cpu = i == 0 ? m.cpu : std::min(mejor.cpu, m.cpu);
    mejor.kib = std::max(mejor.kib, m.kib);
    mejor.texto = std::move(m.texto);
  }
  return mejor;
}

Medida programa(const std::vector<std::string>& argumentos, const std::string& salida) {
  std::vector<char*> argv;
  for (const auto& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::fflush(nullptr);
  auto inicio = Reloj::now();
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork: " + std::string(std::strerror(errno)));
  if (pid == 0) {
    int fd = ::open(salida.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::dup2(fd, STDOUT_FILENO) < 0) ::_exit(126);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  double cpu = 0;
  long kib = esperar(pid, argumentos.front(), 0, &cpu);
  return Medida{desde(inicio), kib, {}, cpu};
}

Medida programaEnTerminal(const std::vector<std::string>& argumentos) {
  std::vector<char*> argv;
  for (const auto& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::fflush(nullptr);
  auto inicio = Reloj::now();
  int maestro = -1;
  pid_t pid = ::forkpty(&maestro, nullptr, nullptr, nullptr);
  if (pid < 0) throw std::runtime_error("forkpty: " + std::string(std::strerror(errno)));
  if (pid == 0) {
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  char bloque[65536];
  for (;;) {  // read until the child's side closes (EIO once it has exited)
    ssize_t n = ::read(maestro, bloque, sizeof bloque);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
  }
  ::close(maestro);
  double cpu = 0;
  long kib = esperar(pid, argumentos.front(), 0, &cpu);
  return Medida{desde(inicio), kib, {}, cpu};
}

}  // namespace bench
