#include "export/archivo_seguro.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <random>
#include <streambuf>

#include "host/error.h"
#include "host/plataforma.h"
#include "host/temporales.h"

namespace prjsumsal {

namespace fs = std::filesystem;

std::string motivoSistema(int e) {
  switch (e) {
    case ENOENT:
      return "la carpeta no existe";
    case ENOTDIR:
      return "una parte de la ruta no es una carpeta";
    case EISDIR:
      return "es una carpeta";
    case EACCES:
    case EPERM:
      return "permiso denegado";
    case ENOSPC:
    case EDQUOT:
      return "no queda espacio en el disco";
    case EROFS:
      return "el disco es de solo lectura";
    case EFBIG:
      return "el archivo supera el tamaño máximo permitido";
    case ENAMETOOLONG:
      return "el nombre es demasiado largo";
    case EIO:
      return "error de entrada o salida del disco";
    case 0:
      return "error desconocido";
    default:
      return std::strerror(e);
  }
}

namespace {

Error noEscribe(const std::string& ruta, int e) {
  return Error("No se puede escribir el archivo " + ruta + ": " + motivoSistema(e));
}

// Sixteen hex digits no other temporary file of this or another process will pick.
std::string azar() {
  static std::atomic<unsigned> contador{0};
  std::random_device fuente;
  std::uint64_t n = (std::uint64_t{fuente()} << 32) ^ fuente() ^ ++contador;
  char texto[17];
  std::snprintf(texto, sizeof texto, "%016llx", static_cast<unsigned long long>(n));
  return texto;
}

constexpr std::string_view kExtension = ".tmp";

// The owner ("PID@MACHINE") of a temporary file named ".TARGET.OWNER.RANDOM.tmp"; empty for
// any other name, which is never touched.
std::string duenoDeResto(const std::string& nombre) {
  if (nombre.size() < 2 || nombre[0] != '.' || !nombre.ends_with(kExtension)) return {};
  std::string_view base(nombre);
  base.remove_suffix(kExtension.size());
  auto punto = base.rfind('.');
  if (punto == std::string_view::npos || base.size() - punto - 1 != 16) return {};
  for (char c : base.substr(punto + 1))
    if (!std::isxdigit(static_cast<unsigned char>(c))) return {};
  base = base.substr(0, punto);
  auto arroba = base.rfind('@');
  if (arroba == std::string_view::npos) return {};
  auto inicio = base.rfind('.', arroba);
  if (inicio == std::string_view::npos || inicio == 0 || inicio + 1 == arroba) return {};
  for (char c : base.substr(inicio + 1, arroba - inicio - 1))
    if (!std::isdigit(static_cast<unsigned char>(c))) return {};
  return std::string(base.substr(inicio + 1));
}

// The protected files: an id for each, its path made canonical, and the rest of the refusal.
struct Proteccion {
  std::string real;
  std::string que;
};
std::mutex& cerrojo() {
  static std::mutex m;
  return m;
}
std::map<int, Proteccion>& protegidos() {
  static std::map<int, Proteccion> m;
  return m;
}

}  // namespace

Protegido::Protegido(const std::string& ruta, std::string que) {
  static int siguiente = 0;
  std::error_code ec;
  fs::path real = fs::weakly_canonical(fs::absolute(ruta, ec), ec);
  if (ec || !fs::is_regular_file(real, ec)) return;
  std::lock_guard bloqueo(cerrojo());
  id_ = ++siguiente;
  protegidos()[id_] = {real.string(), std::move(que)};
}

Protegido::~Protegido() {
  if (id_ == 0) return;
  std::lock_guard bloqueo(cerrojo());
  protegidos().erase(id_);
}

std::string protegido(const std::string& ruta) {
  std::error_code ec;
  const std::string real = fs::weakly_canonical(fs::absolute(ruta, ec), ec).string();
  std::lock_guard bloqueo(cerrojo());
  for (const auto& [id, p] : protegidos()) {
    if (fs::equivalent(ruta, p.real, ec) && !ec) return p.que;
    // The engine's journal files: a file written there would be taken for one.
    for (const char* sufijo : {"-wal", "-journal", "-shm"}) {
      if (real == p.real + sufijo || (fs::equivalent(ruta, p.real + sufijo, ec) && !ec))
        return "un archivo de " + p.que;
    }
  }
  return {};
}

// A stream buffer that sends every block to the disk file with one write, and raises an Error
// at once with the system's reason when the disk refuses it.
class ArchivoSeguro::Buffer : public std::streambuf {
 public:
  explicit Buffer(ArchivoSeguro& dueno) : dueno_(dueno) { setp(datos_, datos_ + sizeof datos_); }

  void vaciar() {
    std::size_t n = static_cast<std::size_t>(pptr() - pbase());
    setp(datos_, datos_ + sizeof datos_);
    if (n == 0) return;
    if (int e = dueno_.archivo_->escribir(datos_, n)) throw noEscribe(dueno_.ruta_, e);
  }

 protected:
  int_type overflow(int_type c) override {
    vaciar();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

  int sync() override {
    vaciar();
    return 0;
  }

 private:
  ArchivoSeguro& dueno_;
  char datos_[1 << 16];
};

ArchivoSeguro::ArchivoSeguro(std::string ruta, Disco* disco)
    : ruta_(std::move(ruta)),
      disco_(disco                ? disco
             : plataforma().disco ? plataforma().disco
                                  : &discoEstandar()) {
  if (ruta_.empty()) throw Error("No se puede crear el archivo: no se indicó su nombre");

  // A symbolic link stays a link: its target is the file that gets replaced.
  std::error_code ec;
  fs::path destino(ruta_);
  if (fs::is_symlink(fs::symlink_status(destino, ec))) {
    fs::path real = fs::weakly_canonical(destino, ec);
    if (!ec) destino = real;
  }
  destino_ = destino.string();
  comprobarDestino();
  fs::file_status estado = fs::status(destino, ec);

  int error = 0;
  if (fs::exists(estado) && !fs::is_regular_file(estado)) {
    archivo_ = disco_->abrir(destino_, false, error);
    if (!archivo_)
      throw Error("No se puede crear el archivo " + ruta_ + ": " + motivoSistema(error));
  } else {
    if (fs::exists(estado) && (estado.permissions() & fs::perms::owner_write) == fs::perms::none) {
      throw Error("No se puede crear el archivo " + ruta_ + ": el archivo es de solo lectura");
    }
    quitarRestos(destino.parent_path(), *disco_);
    crearTemporal(destino.parent_path().string(), destino.filename().string());
    // The new file keeps the permissions of the one it replaces.
    if (fs::exists(estado)) fs::permissions(temporal_, estado.permissions(), ec);
  }
  buffer_ = std::make_unique<Buffer>(*this);
  flujo_ = std::make_unique<std::ostream>(buffer_.get());
  flujo_->exceptions(std::ios::badbit);
}

void ArchivoSeguro::comprobarDestino() const {
  std::string que = protegido(destino_);
  if (!que.empty()) throw Error("No se puede escribir el archivo " + ruta_ + ": es " + que);
}

void ArchivoSeguro::crearTemporal(const std::string& carpeta, const std::string& nombre) {
  // The target's name, cut short, keeps the temporary name within the system's limit.
  std::string dueno = disco_->dueno();
  std::string inicio = (carpeta.empty() ? "" : carpeta + "/") + "." + nombre.substr(0, 100) + "." +
                       (dueno.empty() ? "" : dueno + ".");
  int error = 0;
  for (int intento = 0; intento < 10 && !archivo_; ++intento) {
    temporal_ = inicio + azar() + std::string(kExtension);
    archivo_ = disco_->abrir(temporal_, true, error);
    if (!archivo_ && error != EEXIST) break;
  }
  if (!archivo_) {
    temporal_.clear();
    throw Error("No se puede crear el archivo " + ruta_ + ": " + motivoSistema(error));
  }
  anotarTemporal(temporal_);
}

ArchivoSeguro::~ArchivoSeguro() {
  descartar();
}

void ArchivoSeguro::descartar() noexcept {
  if (archivo_) archivo_->cerrar();
  archivo_.reset();
  if (!temporal_.empty()) {
    std::remove(temporal_.c_str());
    olvidarTemporal(temporal_);
  }
  temporal_.clear();
}

void ArchivoSeguro::escribir(const char* datos, std::size_t n) {
  if (!archivo_) throw Error("No se puede escribir el archivo " + ruta_ + ": ya está cerrado");
  flujo_->write(datos, static_cast<std::streamsize>(n));
}

void ArchivoSeguro::confirmar() {
  if (!archivo_) throw Error("No se puede escribir el archivo " + ruta_ + ": ya está cerrado");
  try {
    flujo_->flush();
    if (int e = archivo_->sincronizar()) throw noEscribe(ruta_, e);
    int e = archivo_->cerrar();
    archivo_.reset();
    if (e) throw noEscribe(ruta_, e);
    if (!temporal_.empty()) {
      // A database opened while the file was written is still not to be replaced.
      comprobarDestino();
      std::error_code ec;
      fs::rename(temporal_, destino_, ec);
      if (ec)
        throw Error("No se puede reemplazar el archivo " + ruta_ + ": " +
                    motivoSistema(ec.value()));
      olvidarTemporal(temporal_);
      temporal_.clear();
      disco_->sincronizarCarpeta(fs::path(destino_).parent_path().string());
    }
  } catch (...) {
    descartar();
    throw;
  }
}

// Removes from `carpeta` the temporary files of processes that have ended.
void quitarRestos(const fs::path& carpeta, Disco& disco) {
  std::error_code ec;
  for (fs::directory_iterator i(carpeta.empty() ? fs::path(".") : carpeta, ec), fin;
       !ec && i != fin; i.increment(ec)) {
    std::string dueno = duenoDeResto(i->path().filename().string());
    if (dueno.empty() || !i->is_regular_file(ec) || i->is_symlink(ec)) continue;
    if (disco.terminado(dueno)) fs::remove(i->path(), ec);
  }
}

}  // namespace prjsumsal
