#include "plataforma/procesos_posix.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "host/error.h"

namespace suite::plataforma {
namespace {

namespace fs = std::filesystem;

class ProcesosPosixTest : public testing::Test {
 protected:
  void SetUp() override {
    carpeta_ =
        fs::temp_directory_path() / ("procesos_" + std::to_string(getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(carpeta_);
    fs::create_directories(carpeta_);
  }
  void TearDown() override { fs::remove_all(carpeta_); }

  std::string programa(const std::string& nombre, const std::string& cuerpo,
                       fs::perms permisos = fs::perms::owner_all) {
    fs::path r = carpeta_ / nombre;
    std::ofstream(r) << "#!/bin/sh\n" << cuerpo;
    fs::permissions(r, permisos);
    return r.string();
  }

  // Waits up to ten seconds for `archivo` to exist, so a broken start fails instead of hanging.
  bool esperar(const fs::path& archivo) {
    for (int i = 0; i < 1000 && !fs::exists(archivo); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return fs::exists(archivo);
  }

  fs::path carpeta_;
};

TEST_F(ProcesosPosixTest, NoEsperaNiDejaHijos) {
  // The program waits for the test's go-ahead, so Shell must return while it still runs.
  fs::path seguir = carpeta_ / "seguir", hecho = carpeta_ / "hecho";
  std::string r = programa("RENDIDOR",
                           "i=0\n"
                           "while [ ! -e '" +
                               seguir.string() +
                               "' ] && [ $i -lt 1000 ]; do\n"
                               "  sleep 0.01; i=$((i+1))\n"
                               "done\n"
                               "echo $# \"$(pwd -P)\" > '" +
                               hecho.string() +
                               ".tmp'\n"
                               "mv '" +
                               hecho.string() + ".tmp' '" + hecho.string() + "'\n");
  ProcesosPosix procesos;
  procesos.Shell(r, 1);
  EXPECT_FALSE(fs::exists(hecho));
  std::ofstream(seguir).put('x');
  ASSERT_TRUE(esperar(hecho));
  std::ifstream f(hecho);
  std::string argumentos, carpeta;
  f >> argumentos >> carpeta;
  EXPECT_EQ(argumentos, "0");
  // It runs in its own folder, not in the test's.
  EXPECT_EQ(carpeta, fs::canonical(carpeta_).string());
  // Neither the started program nor the intermediate process is a child of the host.
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(ProcesosPosixTest, ProgramaQueNoSePuedeIniciar) {
  std::string sinPermiso = programa("sin_permiso", "exit 0\n", fs::perms::owner_read);
  const std::pair<std::string, std::string> casos[] = {
      {(carpeta_ / "RENDIDOR").string(), "el archivo no existe"},
      {carpeta_.string(), "no es un archivo ejecutable"},
      {sinPermiso, "no tiene permiso de ejecución"},
  };
  ProcesosPosix procesos;
  for (const auto& [ruta, motivo] : casos) {
    try {
      procesos.Shell(ruta, 1);
      ADD_FAILURE() << "se inició " << ruta;
    } catch (const prjsumsal::Error& e) {
      std::string m = e.what();
      EXPECT_EQ(m.rfind("No se puede iniciar " + ruta + ": ", 0), 0u) << m;
      EXPECT_NE(m.find(motivo), std::string::npos) << m;
    }
  }
}

// The program finds the files that come with it by relative name: it runs in its own folder.
TEST_F(ProcesosPosixTest, ElProgramaCorreEnSuPropiaCarpeta) {
  ProcesosPosix().Shell(programa("RENDIDOR", "pwd -P > donde.tmp && mv donde.tmp donde\n"), 1);
  ASSERT_TRUE(esperar(carpeta_ / "donde"));
  std::string leido;
  std::getline(std::ifstream(carpeta_ / "donde"), leido);
  EXPECT_EQ(leido, fs::canonical(carpeta_).string());
}

}  // namespace
}  // namespace suite::plataforma
