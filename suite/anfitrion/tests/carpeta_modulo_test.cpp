#include "carpeta_modulo.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "ayuda_pruebas.h"
#include "clase/biblioteca.h"
#include "plataforma/carpeta_usuario.h"

namespace suite::anfitrion {
namespace {

namespace fs = std::filesystem;

// The program's folder of an installation is not the user's to write; a folder that is not
// there stands in for it, since the tests may run as root, who can write anywhere.
class CarpetaModulo : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("XDG_DATA_HOME", datos_.c_str(), 1); }
  void TearDown() override { ::unsetenv("XDG_DATA_HOME"); }

  prueba::Carpeta carpeta_;
  fs::path datos_ = carpeta_.ruta() / "datos";
  fs::path usuario_ = datos_ / "nubo" / "modulo";
  fs::path programa_ = carpeta_.ruta() / "programa de O'Brien";
};

TEST_F(CarpetaModulo, LaDelProgramaSiSePuedeEscribir) {
  EXPECT_EQ(carpetaModulo(carpeta_.ruta()), carpeta_.ruta());
  EXPECT_FALSE(fs::exists(datos_));
}

TEST_F(CarpetaModulo, LaDelUsuarioConLaBibliotecaYUnRendidorQueIniciaElInstalado) {
  ASSERT_EQ(carpetaModulo(programa_), usuario_);
  ASSERT_EQ(carpetaModulo(programa_), usuario_);  // a second run finds it right
  EXPECT_EQ(fs::read_symlink(usuario_ / prjsumsal::kArchivoBiblioteca),
            programa_ / prjsumsal::kArchivoBiblioteca);

  // The installed RENDIDOR, here one that shows its arguments, gets the user's folder.
  fs::create_directories(programa_);
  {
    std::ofstream rendidor(programa_ / "RENDIDOR");
    rendidor << "#!/bin/sh\nprintf '%s|' \"$@\"\n";
  }
  fs::permissions(programa_ / "RENDIDOR", fs::perms::owner_all);
  std::string orden = "'" + (usuario_ / "RENDIDOR").string() + "' --help";
  std::FILE* salida = ::popen(orden.c_str(), "r");
  ASSERT_NE(salida, nullptr);
  char linea[1024] = {};
  std::size_t leidos = std::fread(linea, 1, sizeof linea - 1, salida);
  EXPECT_EQ(::pclose(salida), 0);
  EXPECT_EQ(std::string(linea, leidos), "--carpeta|" + usuario_.string() + "|--help|");
}

// An installation's folder is never written, even when this user can write it (root): the
// user's folder stands in, and without a data folder the private cache folder does.
TEST_F(CarpetaModulo, UnaInstalacionNoSeEscribeAunqueSePueda) {
  const fs::path instalada = carpeta_.ruta() / "usr" / "lib" / "nubo";
  fs::create_directories(instalada);
  ASSERT_TRUE(plataforma::programaInstalado(instalada));
  EXPECT_FALSE(plataforma::programaInstalado(carpeta_.ruta()));
  EXPECT_EQ(carpetaModulo(instalada), usuario_);

  ::unsetenv("XDG_DATA_HOME");
  const char* casa = std::getenv("HOME");
  std::string antes = casa ? casa : "";
  ::unsetenv("HOME");
  ::setenv("XDG_CACHE_HOME", (carpeta_.ruta() / "cache").c_str(), 1);
  EXPECT_EQ(carpetaModulo(instalada), carpeta_.ruta() / "cache" / "nubo" / "modulo");
  ::unsetenv("XDG_CACHE_HOME");
  if (casa) ::setenv("HOME", antes.c_str(), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(instalada), {}), 0);
}

// What an earlier installation left, after its package was purged or moved, is put right
// without a word: links to files that are gone, and a RENDIDOR that is a link to the installed
// one, which stays as it was.
TEST_F(CarpetaModulo, UnaCarpetaRanciaSeRehace) {
  fs::create_directories(usuario_);
  fs::path instalado = carpeta_.ruta() / "RENDIDOR";
  std::ofstream(instalado) << "instalado";
  fs::create_symlink(instalado, usuario_ / "RENDIDOR");
  fs::create_symlink("/usr/lib/nubo-borrado/libprjsumsal.so.1",
                     usuario_ / prjsumsal::kArchivoBiblioteca);
  ASSERT_EQ(carpetaModulo(programa_), usuario_);
  EXPECT_EQ(fs::read_symlink(usuario_ / prjsumsal::kArchivoBiblioteca),
            programa_ / prjsumsal::kArchivoBiblioteca);
  EXPECT_FALSE(fs::is_symlink(usuario_ / "RENDIDOR"));
  EXPECT_TRUE(prueba::leer(usuario_ / "RENDIDOR").starts_with("#!/bin/sh\n"));
  EXPECT_EQ(prueba::leer(instalado), "instalado");
}

}  // namespace
}  // namespace suite::anfitrion
