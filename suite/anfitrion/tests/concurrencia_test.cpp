// nubo runs at the same time on one company.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "ayuda_pruebas.h"

namespace suite {
namespace {

namespace fs = std::filesystem;
using prueba::Carpeta;
using prueba::correrNubo;

TEST(Concurrencia, OchoEjecucionesMezcladasDanLoMismo) {
  Carpeta c;
  std::string demo = c.ruta() / "demo";
  ::setenv("XDG_CACHE_HOME", (c.ruta() / "cache").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (c.ruta() / "config").c_str(), 1);
  ASSERT_EQ(correrNubo({"--demo", demo}).estado, 0);
  const std::vector<std::string> acciones[] = {
      {"--texto"}, {"--preparar"}, {"--excel", "libro"}, {"--grabar-contador"}};
  std::vector<prueba::Ejecucion> e(8);
  std::vector<std::thread> hilos;
  for (std::size_t i = 0; i < e.size(); ++i) {
    hilos.emplace_back([&, i] {
      std::vector<std::string> a = {"--demo",     demo,      "--desde",
                                    "01/01/2026", "--hasta", "30/11/2026"};
      for (auto x : acciones[i % 4]) a.push_back(x == "libro" ? demo + "/" + std::to_string(i) : x);
      e[i] = correrNubo(a);
    });
  }
  for (auto& h : hilos) h.join();
  auto leer = [](const fs::path& p) {
    std::ostringstream s;
    s << std::ifstream(p).rdbuf();
    return s.str();
  };
  for (std::size_t i = 0; i < e.size(); ++i) {
    EXPECT_EQ(e[i].estado, 0) << i << ": " << e[i].errores;
    EXPECT_EQ(e[i].salida, e[i % 4].salida) << i;
    EXPECT_EQ(e[i].errores, e[i % 4].errores) << i;
  }
  EXPECT_FALSE(e[0].salida.empty());
  EXPECT_EQ(leer(demo + "/2"), leer(demo + "/6"));
  EXPECT_TRUE(fs::is_empty(c.ruta() / "cache" / "nubo"));  // each run removed its own database
  ::unsetenv("XDG_CACHE_HOME");
  ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace suite
