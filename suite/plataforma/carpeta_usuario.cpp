#include "plataforma/carpeta_usuario.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace suite::plataforma {

namespace fs = std::filesystem;

bool programaInstalado(const fs::path& programa) {
  fs::path carpeta = programa.lexically_normal();
  if (!carpeta.has_filename()) carpeta = carpeta.parent_path();
  const fs::path instalacion(NUBO_CARPETA_PROGRAMA);
  auto p = std::distance(carpeta.begin(), carpeta.end());
  auto i = std::distance(instalacion.begin(), instalacion.end());
  return p > i &&
         std::equal(instalacion.begin(), instalacion.end(), std::next(carpeta.begin(), p - i));
}

fs::path carpetaModuloUsuario() {
  fs::path datos;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (xdg != nullptr && *xdg != '\0') {
    datos = xdg;
  } else if (home != nullptr && *home != '\0') {
    datos = fs::path(home) / ".local" / "share";
  } else {
    return {};
  }
  return datos / "nubo" / "modulo";
}

fs::path carpetaTrabajo(const fs::path& programa) {
  if (!programaInstalado(programa) && ::access(programa.c_str(), W_OK) == 0) return programa;
  fs::path usuario = carpetaModuloUsuario();
  return usuario.empty() ? programa : usuario;
}

}  // namespace suite::plataforma
