#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "host/registro.h"

namespace prjsumsal {
namespace {

namespace fs = std::filesystem;

// Restores the two variables that choose the configuration folder.
struct Entorno {
  std::string xdg = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ~Entorno() {
    xdg.empty() ? ::unsetenv("XDG_CONFIG_HOME") : ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
    home.empty() ? ::unsetenv("HOME") : ::setenv("HOME", home.c_str(), 1);
  }
};

// Installations registering the same component at once neither fail nor leave files behind.
TEST(RegistroConcurrente, VariasInstalacionesALaVez) {
  Entorno e;
  fs::path carpeta = fs::temp_directory_path() / ("registro-" + std::to_string(::getpid()));
  fs::remove_all(carpeta);
  ::setenv("XDG_CONFIG_HOME", carpeta.c_str(), 1);
  std::vector<std::thread> hilos;
  for (int h = 0; h < 8; ++h) {
    hilos.emplace_back([] {
      for (int i = 0; i < 20; ++i) registrarComponente("a.b", "/opt/a.so");
    });
  }
  for (auto& h : hilos) h.join();
  std::ostringstream contenido;
  contenido << std::ifstream(carpeta / "nubo" / "componentes").rdbuf();
  EXPECT_EQ(contenido.str(), "a.b=/opt/a.so\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(carpeta / "nubo"), {}), 1);
  fs::remove_all(carpeta);
}

// Without a configuration folder that can be written, the registration lasts for the run.
TEST(RegistroConcurrente, SinCarpetaDeConfiguracionQuedaEnMemoria) {
  Entorno e;
  fs::path archivo = fs::temp_directory_path() / ("no-carpeta-" + std::to_string(::getpid()));
  std::ofstream(archivo) << "un archivo, no una carpeta";
  const std::pair<const char*, const char*> casos[] = {{nullptr, nullptr},
                                                       {archivo.c_str(), nullptr}};
  for (auto [xdg, home] : casos) {
    xdg ? ::setenv("XDG_CONFIG_HOME", xdg, 1) : ::unsetenv("XDG_CONFIG_HOME");
    home ? ::setenv("HOME", home, 1) : ::unsetenv("HOME");
    std::string id = std::string("c.") + (xdg ? "xdg" : "nada");
    EXPECT_NO_THROW(registrarComponente(id, "/opt/c.so")) << id;
    EXPECT_EQ(componenteRegistrado(id), "/opt/c.so") << id;
  }
  fs::remove(archivo);
}

}  // namespace
}  // namespace prjsumsal
