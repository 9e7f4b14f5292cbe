#include "carpeta_modulo.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "carpeta_cache.h"
#include "clase/biblioteca.h"
#include "export/archivo_seguro.h"
#include "export/entrega_pdf.h"
#include "host/error.h"
#include "plataforma/carpeta_usuario.h"

namespace suite::anfitrion {

namespace fs = std::filesystem;

namespace {

std::string entreComillasSimples(const std::string& texto) {
  std::string r = "'";
  for (char c : texto) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return r + "'";
}

// The link `enlace` to `destino`, replaced in one step when it points elsewhere.
void enlazar(const fs::path& destino, const fs::path& enlace) {
  std::error_code ec;
  if (fs::is_symlink(enlace, ec) && fs::read_symlink(enlace, ec) == destino) return;
  fs::path nuevo = enlace;
  nuevo += ".nuevo";
  fs::remove(nuevo, ec);
  fs::create_symlink(destino, nuevo);
  fs::rename(nuevo, enlace);
}

// RENDIDOR reads the files of its own (real) folder unless told otherwise, so the user's
// folder gets a small program that starts the installed one on the folder it sits in.
void escribirRendidor(const fs::path& programa, const fs::path& carpeta) {
  std::string texto =
      "#!/bin/sh\n# Started by nubo: the installed RENDIDOR on this folder.\nexec " +
      entreComillasSimples((programa / prjsumsal::kRendidor).string()) +
      " --carpeta \"${0%/*}\" \"$@\"\n";
  fs::path ruta = carpeta / prjsumsal::kRendidor;
  // Anything but our own small program goes, a link first: writing through it would replace
  // the file it points at, the installed RENDIDOR itself.
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(ruta, ec))) fs::remove(ruta);
  std::ifstream actual(ruta, std::ios::binary);
  std::ostringstream leido;
  leido << actual.rdbuf();
  if (leido.str() != texto) {
    prjsumsal::ArchivoSeguro archivo(ruta.string());
    archivo.flujo() << texto;
    archivo.confirmar();
  }
  fs::permissions(ruta, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec);
}

// Makes `carpeta` the user's module folder for the installed programs in `programa`.
fs::path preparar(const fs::path& programa, const fs::path& carpeta) {
  fs::create_directories(carpeta);
  enlazar(programa / prjsumsal::kArchivoBiblioteca, carpeta / prjsumsal::kArchivoBiblioteca);
  escribirRendidor(programa, carpeta);
  return carpeta;
}

}  // namespace

fs::path carpetaModulo(const fs::path& programa) {
  const bool instalacion = plataforma::programaInstalado(programa);
  if (!instalacion && ::access(programa.c_str(), W_OK) == 0) return programa;
  std::string motivo = "no se sabe cuál es la carpeta personal (HOME)";
  if (fs::path usuario = plataforma::carpetaModuloUsuario(); !usuario.empty()) {
    try {
      return preparar(programa, usuario);
    } catch (const std::exception& e) {
      motivo = e.what();
    }
  }
  if (!instalacion) return programa;
  // An installation is never written into, whoever runs it, root included: without a data
  // folder of the user's, the private cache folder holds the module's folder.
  try {
    return preparar(programa, carpetaCache() / "modulo");
  } catch (const std::exception& e) {
    throw prjsumsal::Error("No se puede preparar la carpeta del módulo de este usuario: " + motivo +
                           "; " + e.what());
  }
}

}  // namespace suite::anfitrion
