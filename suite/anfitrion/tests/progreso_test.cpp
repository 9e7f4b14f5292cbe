// The progress line of long work, seen from outside: nubo on a pseudo-terminal and into pipes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "ayuda_pruebas.h"
#include "terminal.h"

namespace suite::anfitrion {
namespace {

namespace fs = std::filesystem;
using prueba::correrNubo;
using prueba::leer;

// The line shows from the first moment (NUBO_PROGRESO_ESPERA=0), so that even the demo
// company's short runs draw it.
class Progreso : public prueba::ConDemo {
 protected:
  void SetUp() override {
    ConDemo::SetUp();
    ::setenv("NUBO_PROGRESO_ESPERA", "0", 1);
  }
  void TearDown() override {
    ::unsetenv("NUBO_PROGRESO_ESPERA");
    ConDemo::TearDown();
  }
  // nubo on the demo company with its standard error on a terminal, and its standard output
  // too unless `salida` names a file for it.
  avance::prueba::EnTerminal enTerminal(const std::vector<std::string>& argumentos,
                                        const std::string& salida = {}, const char* espera = "0") {
    std::vector<std::string> orden = {NUBO_EJECUTABLE, "--demo", demo_};
    orden.insert(orden.end(), argumentos.begin(), argumentos.end());
    return avance::prueba::programaEnTerminal(orden,
                                              {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                               std::string("NUBO_PROGRESO_ESPERA=") + espera},
                                              salida);
  }
};

bool termino(int estado) {
  return WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
}

// Each long action draws its line on the terminal and leaves nothing of it behind; standard
// output gets what it gets without a terminal, and a run into pipes gets no line at all.
TEST_F(Progreso, EnLaTerminalSeVeYNoQuedaEnTuberiasNoHay) {
  const std::string pdf = carpeta_.ruta() / "vista.pdf", libro = carpeta_.ruta() / "libro.xls";
  const std::string salida = carpeta_.ruta() / "salida";
  const std::vector<std::string> casos[] = {
      {"--permiso", "00011", "--preparar"},
      {"--formato", "3", "--vista-previa", pdf},
      {"--excel", libro},
      {"--texto"},
  };
  for (const auto& argumentos : casos) {
    const std::string caso = argumentos.back();
    auto t = enTerminal(argumentos, salida);
    EXPECT_TRUE(termino(t.estado)) << caso << ": " << t.bytes;
    EXPECT_NE(t.bytes.find("\rLeyendo la contabilidad"), std::string::npos) << caso << t.bytes;
    EXPECT_TRUE(t.pantalla.empty()) << caso << ": " << t.bytes;

    std::vector<std::string> orden = {"--demo", demo_};
    orden.insert(orden.end(), argumentos.begin(), argumentos.end());
    auto p = correrNubo(orden);
    EXPECT_EQ(p.estado, 0) << caso << ": " << p.errores;
    EXPECT_EQ(p.errores, "") << caso;
    EXPECT_EQ(leer(salida), p.salida) << caso;
    EXPECT_EQ(p.salida.find('\r'), std::string::npos) << caso;
  }
}

// The aligned table on a terminal: the screen is the same with and without the line.
TEST_F(Progreso, LaTablaEnLaTerminalQuedaComoSinLinea) {
  auto con = enTerminal({"--texto"});
  auto sin = enTerminal({"--texto"}, {}, "3600");
  EXPECT_TRUE(termino(con.estado)) << con.bytes;
  EXPECT_NE(con.bytes.find("\rLeyendo la contabilidad"), std::string::npos) << con.bytes;
  EXPECT_EQ(sin.bytes.find("Leyendo"), std::string::npos) << sin.bytes;
  ASSERT_GT(sin.pantalla.size(), 5u);
  EXPECT_EQ(con.pantalla, sin.pantalla);
}

}  // namespace
}  // namespace suite::anfitrion
