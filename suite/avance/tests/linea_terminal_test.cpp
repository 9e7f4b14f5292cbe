#include "avance/linea_terminal.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <iostream>
#include <thread>
#include <vector>

#include "terminal.h"

namespace suite::avance {
namespace {

using namespace std::chrono_literals;
using prueba::enTerminal;

constexpr LineaTerminal::Ajustes kAlInstante{0ms, 10ms};

// Long enough for the line to be drawn a few times at kAlInstante's pace.
void trabajar(LineaTerminal& linea, const std::string& etapa, std::size_t total) {
  linea.etapa(etapa, total);
  for (std::size_t i = 0; i < 20; ++i) {
    linea.avanzar();
    std::this_thread::sleep_for(5ms);
  }
}

// Worker threads count pages while a message goes to standard error in the middle: the message
// keeps a line of its own and the progress leaves nothing behind.
TEST(LineaTerminal, SeVeMientrasDuraYNoQuedaNada) {
  auto r = enTerminal([] {
    LineaTerminal linea(STDERR_FILENO, kAlInstante);
    {
      LineaTerminal::Alcance trabajo(&linea);
      linea.etapa("Pintando páginas", 200);
      std::vector<std::thread> hilos;
      for (int h = 0; h < 4; ++h) {
        hilos.emplace_back([&] {
          for (int i = 0; i < 50; ++i) {
            linea.avanzar();
            std::this_thread::sleep_for(2ms);
          }
        });
      }
      std::this_thread::sleep_for(40ms);
      std::cerr << "nubo: aviso\n";
      for (auto& h : hilos) h.join();
      trabajar(linea, "Uniendo las partes", 0);
    }
    std::cerr << "fin\n";
  });
  EXPECT_NE(r.bytes.find("Pintando páginas: "), std::string::npos) << r.bytes;
  EXPECT_NE(r.bytes.find(" de 200 ("), std::string::npos) << r.bytes;
  EXPECT_NE(r.bytes.find("\rUniendo las partes"), std::string::npos) << r.bytes;
  EXPECT_EQ(r.pantalla, (std::vector<std::string>{"nubo: aviso", "fin"})) << r.bytes;
}

// What must not show: a process in the background, work whose result has gone to standard
// output on the same terminal. (Work shorter than the wait is nubo's progress test's.)
TEST(LineaTerminal, NadaCuandoNoCorresponde) {
  struct Caso {
    const char* nombre;
    std::function<void()> hijo;
    std::vector<std::string> pantalla;
  } casos[] = {
      {"en segundo plano",
       [] {
         // A process group of its own in the terminal's session, as a shell's "&" makes.
         pid_t hijo = ::fork();
         if (hijo == 0) {
           ::setpgid(0, 0);
           LineaTerminal linea(STDERR_FILENO, kAlInstante);
           LineaTerminal::Alcance trabajo(&linea);
           trabajar(linea, "Leyendo el diario", 0);
           ::_exit(0);
         }
         ::waitpid(hijo, nullptr, 0);
       },
       {}},
      {"tras la salida",
       [] {
         LineaTerminal linea(STDERR_FILENO, kAlInstante, true);
         LineaTerminal::Alcance trabajo(&linea);
         trabajar(linea, "Calculando las cuentas", 0);
         std::cout << "resultado" << std::endl;
         trabajar(linea, "Leyendo el diario", 0);
       },
       {"resultado"}},
  };
  for (const Caso& c : casos) {
    auto r = enTerminal(c.hijo);
    EXPECT_EQ(r.pantalla, c.pantalla) << c.nombre << ": " << r.bytes;
    EXPECT_EQ(r.bytes.find("Leyendo"), std::string::npos) << c.nombre << ": " << r.bytes;
  }
}

TEST(LineaTerminal, NuncaPasaDelAnchoDeLaTerminal) {
  auto r = enTerminal(
      [] {
        LineaTerminal linea(STDERR_FILENO, kAlInstante);
        LineaTerminal::Alcance trabajo(&linea);
        trabajar(linea, "Llenando la tabla de trabajo", 50000);
      },
      24);
  EXPECT_NE(r.bytes.find("Llenando la tabla de"), std::string::npos) << r.bytes;
  EXPECT_LE(prueba::tramoMasAncho(r.bytes), 23u) << r.bytes;
  EXPECT_TRUE(r.pantalla.empty()) << r.bytes;
}

// The host's handler of an interrupt runs as before (it removes the temporary files and ends the
// process with the same signal), after the line has been wiped.
void limpiarTemporales(int senal) {
  if (::write(STDERR_FILENO, "temporales borrados\n", 20) < 0) return;
  ::signal(senal, SIG_DFL);
  ::raise(senal);
}

TEST(LineaTerminal, UnaInterrupcionBorraLaLineaYSigueComoAntes) {
  for (bool conManejador : {true, false}) {
    auto r = enTerminal([conManejador] {
      if (conManejador) ::signal(SIGINT, limpiarTemporales);
      LineaTerminal linea(STDERR_FILENO, kAlInstante);
      LineaTerminal::Alcance trabajo(&linea);
      trabajar(linea, "Leyendo el diario", 0);
      ::raise(SIGINT);
      std::this_thread::sleep_for(1s);
    });
    EXPECT_TRUE(WIFSIGNALED(r.estado) && WTERMSIG(r.estado) == SIGINT) << r.estado;
    EXPECT_NE(r.bytes.find("Leyendo el diario"), std::string::npos) << r.bytes;
    auto esperada =
        conManejador ? std::vector<std::string>{"temporales borrados"} : std::vector<std::string>{};
    EXPECT_EQ(r.pantalla, esperada) << r.bytes;
  }
}

}  // namespace
}  // namespace suite::avance
