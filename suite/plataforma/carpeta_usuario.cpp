#include "plataforma/carpeta_usuario.h"

#include <unistd.h>

#include <cstdlib>

namespace suite {

namespace fs = std::filesystem;

bool programaInstalado(const fs::path& programa) {
  return ::access(programa.c_str(), W_OK) != 0;
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
  if (!programaInstalado(programa)) return programa;
  fs::path usuario = carpetaModuloUsuario();
  return usuario.empty() ? programa : usuario;
}

}  // namespace suite
