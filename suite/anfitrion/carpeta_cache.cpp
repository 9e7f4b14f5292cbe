#include "carpeta_cache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

#include "export/archivo_seguro.h"
#include "host/error.h"

namespace suite::anfitrion {

namespace fs = std::filesystem;

namespace {

fs::path variable(const char* nombre) {
  const char* valor = std::getenv(nombre);
  return valor != nullptr && *valor != '\0' ? fs::path(valor) : fs::path();
}

prjsumsal::Error rechazo(const fs::path& carpeta, const std::string& porque) {
  return prjsumsal::Error("No se puede usar la carpeta de caché " + carpeta.string() + ": " +
                          porque + "; otro usuario podría cambiar los archivos de nubo que hay " +
                          "en ella. Elimínela o corríjala, o indique otra con XDG_CACHE_HOME");
}

// `carpeta` when it is, or has just been made, the user's private folder; nothing when it
// cannot be made (no such parent, no permission there), to try the next place. Opened without
// following a link, so that what is checked is the folder itself and not where a link points.
std::optional<fs::path> privada(const fs::path& carpeta) {
  if (::mkdir(carpeta.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
  int fd = ::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0 && (errno == ELOOP || errno == ENOTDIR)) {
    throw rechazo(carpeta, "no es una carpeta sino un enlace u otro archivo");
  }
  if (fd < 0) return std::nullopt;
  struct stat estado {};
  int r = ::fstat(fd, &estado);
  ::close(fd);
  if (r != 0) return std::nullopt;
  if (estado.st_uid != ::geteuid()) throw rechazo(carpeta, "pertenece a otro usuario");
  if ((estado.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    throw rechazo(carpeta, "otros usuarios pueden escribir en ella");
  }
  return carpeta;
}

}  // namespace

fs::path carpetaCache() {
  fs::path cache = variable("XDG_CACHE_HOME");
  if (cache.empty() && !variable("HOME").empty()) cache = variable("HOME") / ".cache";
  if (!cache.empty()) {
    std::error_code ec;
    fs::create_directories(cache, ec);
    if (auto c = privada(cache / "nubo")) return *c;
  }
  if (fs::path runtime = variable("XDG_RUNTIME_DIR"); !runtime.empty()) {
    if (auto c = privada(runtime / "nubo")) return *c;
  }
  std::error_code ec;
  fs::path temporal = fs::temp_directory_path(ec);
  if (ec) temporal = "/tmp";
  fs::path propia = temporal / ("nubo-" + std::to_string(::geteuid()));
  if (auto c = privada(propia)) return *c;
  const int error = errno;
  throw prjsumsal::Error("No se puede crear la carpeta de caché " + propia.string() + ": " +
                         prjsumsal::motivoSistema(error));
}

}  // namespace suite::anfitrion
