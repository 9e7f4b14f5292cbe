// RENDIDOR's progress line: on a terminal while a long balance is read, painted and joined, and
// nothing of it when standard error is a pipe.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "ayuda.h"
#include "terminal.h"

namespace suite::rendidor {
namespace {

TEST(Progreso, EnLaTerminalSeVeYNoQuedaEnTuberiasNoHay) {
  prueba::Carpeta c;
  std::vector<prjsumsal::FilaBalance> filas;
  for (int i = 0; i < 5000; ++i) {
    filas.push_back(prueba::cuenta(std::to_string(100000 + i), "Cuenta", i % 2 ? "1" : "2",
                                   1000 + i, 0, 1000 + i));
  }
  prueba::escribir(c.ruta(), prueba::archivos(filas));
  const std::string carpeta = c.ruta().string();
  auto t = avance::prueba::programaEnTerminal(
      {RENDIDOR_EJECUTABLE, "--carpeta", carpeta},
      {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "NUBO_PROGRESO_ESPERA=0"});
  EXPECT_TRUE(WIFEXITED(t.estado) && WEXITSTATUS(t.estado) == 0) << t.bytes;
  EXPECT_NE(t.bytes.find("\rLeyendo los archivos"), std::string::npos) << t.bytes;
  EXPECT_NE(t.bytes.find("\rPintando páginas: "), std::string::npos) << t.bytes;
  // What stays is the PDF's path, which RENDIDOR prints when there is no desktop to show it.
  EXPECT_EQ(t.pantalla, std::vector<std::string>{(c.ruta() / "balance_tributario.pdf").string()});

  ::setenv("NUBO_PROGRESO_ESPERA", "0", 1);
  auto p = prueba::rendir(c.ruta());
  ::unsetenv("NUBO_PROGRESO_ESPERA");
  EXPECT_EQ(p.estado, 0) << p.errores;
  EXPECT_EQ(p.errores, "");
}

}  // namespace
}  // namespace suite::rendidor
