#include "plataforma/disco_posix.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "host/plataforma.h"
#include "plataforma/senales.h"

namespace suite::plataforma {

namespace {

class ArchivoPosix : public prjsumsal::Disco::Archivo {
 public:
  explicit ArchivoPosix(int fd) : fd_(fd) {}
  ~ArchivoPosix() override {
    if (fd_ >= 0) ::close(fd_);
  }

  int escribir(const char* datos, std::size_t n) override {
    while (n > 0) {
      ssize_t escritos = ::write(fd_, datos, n);
      if (escritos < 0 && errno == EINTR) continue;
      if (escritos < 0) return errno;
      if (escritos == 0) return ENOSPC;
      datos += escritos;
      n -= static_cast<std::size_t>(escritos);
    }
    return 0;
  }

  int sincronizar() override {
    if (::fsync(fd_) == 0) return 0;
    // A pipe, a terminal or a device written directly has nothing to put on a disk.
    return errno == EINVAL || errno == EROFS || errno == ENOTSUP ? 0 : errno;
  }

  int cerrar() override {
    int fd = fd_;
    fd_ = -1;
    // The descriptor is released even when close reports an error; EINTR is not retried.
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
  }

 private:
  int fd_;
};

std::string maquina() {
  char nombre[256] = {};
  if (::gethostname(nombre, sizeof nombre - 1) != 0) return "local";
  std::string limpio;
  for (const char* c = nombre; *c && limpio.size() < 64; ++c) {
    bool valido = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') ||
                  (*c >= '0' && *c <= '9') || *c == '-' || *c == '.';
    limpio += valido ? *c : '-';
  }
  return limpio.empty() ? "local" : limpio;
}

}  // namespace

std::unique_ptr<prjsumsal::Disco::Archivo> DiscoPosix::abrir(const std::string& ruta, bool nuevo,
                                                             int& error) {
  int banderas = O_WRONLY | O_CLOEXEC | (nuevo ? O_CREAT | O_EXCL : O_TRUNC);
  int fd;
  do fd = ::open(ruta.c_str(), banderas, 0666);
  while (fd < 0 && errno == EINTR);
  error = fd < 0 ? errno : 0;
  return fd < 0 ? nullptr : std::make_unique<ArchivoPosix>(fd);
}

void DiscoPosix::sincronizarCarpeta(const std::string& carpeta) {
  int fd = ::open(carpeta.empty() ? "." : carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::string DiscoPosix::dueno() {
  return std::to_string(::getpid()) + "@" + maquina();
}

bool DiscoPosix::terminado(const std::string& dueno) {
  auto arroba = dueno.find('@');
  if (arroba == std::string::npos || dueno.substr(arroba + 1) != maquina()) return false;
  char* fin = nullptr;
  long pid = std::strtol(dueno.c_str(), &fin, 10);
  if (fin != dueno.c_str() + arroba || pid <= 0 || pid > 0x3fffffff || pid == ::getpid())
    return false;
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

void prepararEscritura() {
  static DiscoPosix disco;
  prjsumsal::plataforma().disco = &disco;
  limpiarAlTerminar();
}

}  // namespace suite::plataforma
