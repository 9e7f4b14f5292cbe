#include "export/archivo_seguro.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <streambuf>

#include "host/error.h"
#include "host/temporales.h"

namespace prjsumsal {

namespace fs = std::filesystem;

namespace {

// What a system error number means for the user, in Spanish.
std::string motivo(int e) {
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

// A name for the temporary file that no other export of this or another process will pick.
std::string sufijoUnico() {
  static std::atomic<unsigned> contador{0};
  std::random_device azar;
  return std::to_string(azar()) + "-" + std::to_string(++contador);
}

}  // namespace

// A stream buffer over an unbuffered C file: every block goes out with one write, and a short
// write raises an Error at once with the system's reason.
class ArchivoSeguro::Buffer : public std::streambuf {
 public:
  Buffer(std::FILE* archivo, const std::string& ruta) : archivo_(archivo), ruta_(ruta) {
    setp(datos_, datos_ + sizeof datos_);
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
  void vaciar() {
    std::size_t n = static_cast<std::size_t>(pptr() - pbase());
    setp(datos_, datos_ + sizeof datos_);
    if (n == 0) return;
    errno = 0;
    if (std::fwrite(datos_, 1, n, archivo_) != n) {
      throw Error("No se puede escribir el archivo " + ruta_ + ": " + motivo(errno));
    }
  }

  std::FILE* archivo_;
  const std::string& ruta_;
  char datos_[1 << 16];
};

ArchivoSeguro::ArchivoSeguro(std::string ruta) : ruta_(std::move(ruta)) {
  auto noCrea = [&](int e) {
    return Error("No se puede crear el archivo " + ruta_ + ": " + motivo(e));
  };
  if (ruta_.empty()) throw Error("No se puede crear el archivo: no se indicó su nombre");

  // A symbolic link stays a link: its target is the file that gets replaced.
  std::error_code ec;
  fs::path destino(ruta_);
  if (fs::is_symlink(fs::symlink_status(destino, ec))) {
    fs::path real = fs::weakly_canonical(destino, ec);
    if (!ec) destino = real;
  }
  destino_ = destino.string();
  fs::file_status estado = fs::status(destino, ec);

  if (fs::exists(estado) && !fs::is_regular_file(estado)) {
    archivo_ = std::fopen(destino_.c_str(), "wb");
    if (!archivo_) throw noCrea(errno);
  } else {
    if (fs::exists(estado) && (estado.permissions() & fs::perms::owner_write) == fs::perms::none) {
      throw Error("No se puede crear el archivo " + ruta_ + ": el archivo es de solo lectura");
    }
    fs::path carpeta = destino.parent_path();
    // The target's name, cut short, keeps the temporary name within the system's limit.
    std::string nombre = "." + destino.filename().string().substr(0, 100) + ".";
    for (int intento = 0; intento < 10 && !archivo_; ++intento) {
      temporal_ = (carpeta / (nombre + sufijoUnico() + ".tmp")).string();
      errno = 0;
      archivo_ = std::fopen(temporal_.c_str(), "wbx");  // fails if the name is taken
      if (!archivo_ && errno != EEXIST) break;
    }
    if (!archivo_) {
      int e = errno;
      temporal_.clear();
      throw noCrea(e);
    }
    anotarTemporal(temporal_);
    // The new file keeps the permissions of the one it replaces.
    if (fs::exists(estado)) fs::permissions(temporal_, estado.permissions(), ec);
  }
  std::setvbuf(archivo_, nullptr, _IONBF, 0);
  buffer_ = std::make_unique<Buffer>(archivo_, ruta_);
  flujo_ = std::make_unique<std::ostream>(buffer_.get());
  flujo_->exceptions(std::ios::badbit);
}

ArchivoSeguro::~ArchivoSeguro() {
  descartar();
}

void ArchivoSeguro::descartar() noexcept {
  if (archivo_) std::fclose(archivo_);
  archivo_ = nullptr;
  if (!temporal_.empty()) {
    std::remove(temporal_.c_str());
    olvidarTemporal(temporal_);
  }
  temporal_.clear();
}

void ArchivoSeguro::confirmar() {
  if (!archivo_) throw Error("No se puede escribir el archivo " + ruta_ + ": ya está cerrado");
  try {
    flujo_->flush();
    errno = 0;
    int cerrado = std::fclose(archivo_);
    archivo_ = nullptr;
    if (cerrado != 0) {
      throw Error("No se puede escribir el archivo " + ruta_ + ": " + motivo(errno));
    }
    if (!temporal_.empty()) {
      std::error_code ec;
      fs::rename(temporal_, destino_, ec);
      if (ec) throw Error("No se puede reemplazar el archivo " + ruta_ + ": " + motivo(ec.value()));
      olvidarTemporal(temporal_);
      temporal_.clear();
    }
  } catch (...) {
    descartar();
    throw;
  }
}

}  // namespace prjsumsal
