#include "cerrojo.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

#include "datos/base_postgres.h"
#include "host/error.h"

namespace suite::anfitrion {

namespace fs = std::filesystem;
using prjsumsal::Error;

namespace {

// How long a run waits in silence, and how often it tries again.
constexpr auto kSilencio = std::chrono::seconds(1);
constexpr auto kPausa = std::chrono::milliseconds(100);

class CerrojoArchivo : public CerrojoInformes {
 public:
  explicit CerrojoArchivo(const fs::path& ruta) : ruta_(ruta.string()) {
    fd_ = ::open(ruta_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // A lock file that another user made may be readable only: a lock on it works the same.
    if (fd_ < 0 && errno == EACCES) fd_ = ::open(ruta_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
      throw Error("No se puede abrir el cerrojo de la base de informes " + ruta_ + ": " +
                  std::strerror(errno));
    }
  }
  ~CerrojoArchivo() override { ::close(fd_); }
  CerrojoArchivo(const CerrojoArchivo&) = delete;
  CerrojoArchivo& operator=(const CerrojoArchivo&) = delete;

  bool intentar() {
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno == EWOULDBLOCK || errno == EINTR) return false;
    throw Error("No se puede tomar el cerrojo de la base de informes " + ruta_ + ": " +
                std::strerror(errno));
  }

 private:
  std::string ruta_;
  int fd_;
};

// The lock belongs to the connection of the report database, and goes with it.
class CerrojoServidor : public CerrojoInformes {};

void esperarTurno(const std::function<bool()>& intentar, const std::string& nombre, bool esperar,
                  std::ostream& errores) {
  if (intentar()) return;
  const std::string enUso = "la base de informes " + nombre + ", en uso por otra ejecución de nubo";
  if (!esperar) throw Error("No se puede usar " + enUso);
  auto aviso = std::chrono::steady_clock::now() + kSilencio;
  bool avisado = false;
  while (!intentar()) {
    if (!avisado && std::chrono::steady_clock::now() >= aviso) {
      errores << "nubo: Esperando " << enUso << '\n' << std::flush;
      avisado = true;
    }
    std::this_thread::sleep_for(kPausa);
  }
}

}  // namespace

std::unique_ptr<CerrojoInformes> tomarInformes(const std::string& informes,
                                               prjsumsal::BaseDatos& base, bool esperar,
                                               std::ostream& errores) {
  if (auto* servidor = dynamic_cast<datos::BasePostgres*>(&base)) {
    // A lock taken through a transaction-mode pooler stays with a pooled server process after
    // the run, and the run's work table would not follow it from one statement to the next.
    if (servidor->conexionAgrupada()) {
      throw Error("No se puede usar la base de informes " + servidor->destino() +
                  " a través de un agrupador de conexiones en modo de transacción: cada "
                  "sentencia puede llegar a otro proceso del servidor, y la base de informes "
                  "necesita una conexión propia para su cerrojo y su tabla de trabajo; indique "
                  "la dirección del servidor mismo, o la del agrupador en modo de sesión");
    }
    esperarTurno([&] { return servidor->tomarCerrojo(kClaseCerrojo); }, servidor->destino(),
                 esperar, errores);
    return std::make_unique<CerrojoServidor>();
  }
  // Through a link or another spelling of the path, the same database has the same lock.
  std::error_code ec;
  fs::path archivo = fs::weakly_canonical(informes, ec);
  if (ec) archivo = fs::absolute(informes);
  auto cerrojo = std::make_unique<CerrojoArchivo>(archivo.string() + ".nubo-lock");
  esperarTurno([&] { return cerrojo->intentar(); }, archivo.string(), esperar, errores);
  return cerrojo;
}

}  // namespace suite::anfitrion
