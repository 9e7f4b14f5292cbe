#include "archivos_ejecucion.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <mutex>
#include <random>
#include <vector>

#include "carpeta_cache.h"
#include "export/archivo_seguro.h"
#include "host/error.h"
#include "host/temporales.h"
#include "plataforma/disco_posix.h"

namespace suite::anfitrion {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefijo = "nubo_";
constexpr const char* kCerrojo = "cerrojo";

// The run's part of a name ("nubo_PID@MACHINE_RANDOM") and its owner ("PID@MACHINE"); both
// empty for a name of another kind. The machine's name never holds '_' (DiscoPosix::dueno).
struct Nombre {
  std::string ejecucion;
  std::string dueno;
};

Nombre leerNombre(const std::string& nombre) {
  if (!nombre.starts_with(kPrefijo)) return {};
  auto finDueno = nombre.find('_', kPrefijo.size());
  if (finDueno == std::string::npos) return {};
  auto finAzar = nombre.find('_', finDueno + 1);
  if (finAzar == std::string::npos || finAzar == finDueno + 1 || finAzar + 1 == nombre.size())
    return {};
  return {nombre.substr(0, finAzar), nombre.substr(kPrefijo.size(), finDueno - kPrefijo.size())};
}

// Whether the lock of the run whose lock file is `cerrojo` is free; the open descriptor, whose
// lock keeps another sweeper out while the files go, in `fd`. A lock file that is not there
// (the run ended before it made it, or a sweeper took it away) is free.
bool cerrojoLibre(const fs::path& cerrojo, int& fd) {
  fd = ::open(cerrojo.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
  // A held lock is a live run; a file system without locks leaves the process check alone.
  if (errno != EWOULDBLOCK) return true;
  ::close(fd);
  fd = -1;
  return false;
}

// This run: its name, its lock's descriptor, kept open until the process ends.
struct Propia {
  fs::path carpeta;
  std::string ejecucion;
  int cerrojo = -1;

  ~Propia() {
    if (cerrojo < 0) return;
    fs::path ruta = carpeta / (ejecucion + "_" + kCerrojo);
    ::unlink(ruta.c_str());
    prjsumsal::olvidarTemporal(ruta.string());
    ::close(cerrojo);
  }
};

// Makes the run's lock file in `carpeta`, holding its lock, and notes it for the signal handler.
void tomarCerrojo(Propia& p, plataforma::DiscoPosix& disco) {
  std::random_device azar;
  for (int intento = 0; intento < 10 && p.cerrojo < 0; ++intento) {
    char texto[17];
    std::snprintf(texto, sizeof texto, "%08x%08x", azar(), azar());
    p.ejecucion = std::string(kPrefijo) + disco.dueno() + "_" + texto;
    fs::path ruta = p.carpeta / (p.ejecucion + "_" + kCerrojo);
    p.cerrojo = ::open(ruta.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (p.cerrojo < 0 && errno != EEXIST) {
      const int error = errno;
      throw prjsumsal::Error("No se puede crear el archivo " + ruta.string() + ": " +
                             prjsumsal::motivoSistema(error));
    }
    if (p.cerrojo >= 0) {
      prjsumsal::anotarTemporal(ruta.string());
      ::flock(p.cerrojo, LOCK_EX);  // nobody else knows the name yet: never waits
    }
  }
  if (p.cerrojo < 0) throw prjsumsal::Error("No se puede crear el archivo de la ejecución");
}

}  // namespace

int quitarRestosDeEjecuciones(const fs::path& carpeta) {
  std::map<std::string, std::pair<std::string, std::vector<fs::path>>> ejecuciones;
  std::error_code ec;
  for (fs::directory_iterator i(carpeta, ec), fin; !ec && i != fin; i.increment(ec)) {
    Nombre n = leerNombre(i->path().filename().string());
    if (n.ejecucion.empty() || i->is_symlink(ec) || !i->is_regular_file(ec)) continue;
    auto& e = ejecuciones[n.ejecucion];
    e.first = n.dueno;
    e.second.push_back(i->path());
  }
  plataforma::DiscoPosix disco;
  int quitadas = 0;
  for (const auto& [ejecucion, archivos] : ejecuciones) {
    if (!disco.terminado(archivos.first)) continue;
    fs::path cerrojo = carpeta / (ejecucion + "_" + kCerrojo);
    int fd = -1;
    if (!cerrojoLibre(cerrojo, fd)) continue;
    for (const fs::path& a : archivos.second) {
      if (a != cerrojo) fs::remove(a, ec);
    }
    fs::remove(cerrojo, ec);  // last, so that a sweeper never sees a half-removed live run
    if (fd >= 0) ::close(fd);
    ++quitadas;
  }
  // A run killed while it placed a report file there leaves that writer's temporary file too.
  prjsumsal::quitarRestos(carpeta, disco);
  return quitadas;
}

fs::path archivoDeEjecucion(const std::string& que) {
  static Propia propia;
  static std::mutex m;
  std::lock_guard bloqueo(m);
  if (propia.cerrojo < 0) {
    propia.carpeta = carpetaCache();
    plataforma::DiscoPosix disco;
    tomarCerrojo(propia, disco);
    quitarRestosDeEjecuciones(propia.carpeta);
  }
  return propia.carpeta / (propia.ejecucion + "_" + que);
}

}  // namespace suite::anfitrion
