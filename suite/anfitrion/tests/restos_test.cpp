// What runs that ended without their own clean-up (killed, or on a closed pipe) leave in the
// cache folder, and who removes it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "archivos_ejecucion.h"
#include "ayuda_pruebas.h"
#include "plataforma/disco_posix.h"

namespace suite::anfitrion {
namespace {

namespace fs = std::filesystem;

// The number of a process that has ended.
pid_t terminado() {
  pid_t hijo = ::fork();
  if (hijo == 0) ::_exit(0);
  ::waitpid(hijo, nullptr, 0);
  return hijo;
}

// A live run of another PID namespace has a number that means nothing here: its lock tells.
TEST(RestosDeEjecuciones, SoloLosDeEjecucionesTerminadasDeEstaMaquina) {
  prueba::Carpeta c;
  const std::string maquina =
      plataforma::DiscoPosix().dueno().substr(plataforma::DiscoPosix().dueno().find('@'));
  const std::string muerto = std::to_string(terminado()) + maquina;
  const std::string vivo = std::to_string(::getppid()) + maquina;
  struct Caso {
    std::string ejecucion;
    bool cerrojo;  // the run's lock file is there
    bool tomado;   // and a live process holds its lock
    bool quitada;
  } casos[] = {
      {"nubo_" + muerto + "_00000001", false, false, true},
      {"nubo_" + muerto + "_00000002", true, false, true},
      {"nubo_" + muerto + "_00000003", true, true, false},
      {"nubo_" + vivo + "_00000004", true, false, false},
      {"nubo_" + std::to_string(terminado()) + "@otra-maquina_00000005", false, false, false},
  };
  std::vector<int> tomados;
  for (const Caso& k : casos) {
    for (const char* que : {"_informes.db", "_informes.db-wal", "_libro.xls"})
      std::ofstream(c.ruta() / (k.ejecucion + que)) << "x";
    if (!k.cerrojo) continue;
    int fd = ::open((c.ruta() / (k.ejecucion + "_cerrojo")).c_str(), O_RDWR | O_CREAT, 0600);
    if (k.tomado) ::flock(fd, LOCK_EX);
    tomados.push_back(fd);
  }
  const char* ajenos[] = {"informes-123-456.db", "nubo_", "nubo_x_y", "ctrsumsal.rpt"};
  for (const char* a : ajenos) std::ofstream(c.ruta() / a) << "x";

  EXPECT_EQ(quitarRestosDeEjecuciones(c.ruta()), 2);
  for (const Caso& k : casos) {
    EXPECT_NE(fs::exists(c.ruta() / (k.ejecucion + "_informes.db")), k.quitada) << k.ejecucion;
    EXPECT_NE(fs::exists(c.ruta() / (k.ejecucion + "_libro.xls")), k.quitada) << k.ejecucion;
    EXPECT_EQ(fs::exists(c.ruta() / (k.ejecucion + "_cerrojo")), k.cerrojo && !k.quitada);
  }
  for (const char* a : ajenos) EXPECT_TRUE(fs::exists(c.ruta() / a)) << a;
  for (int fd : tomados) ::close(fd);
}

// nubo killed outright, or writing to a pipe nobody reads any more, in the cache folder of a
// test: after the next run, nothing is left there but the report layouts.
class RestosDeNubo : public prueba::ConDemo {
 protected:
  void SetUp() override {
    prueba::ConDemo::SetUp();
    ::setenv("XDG_CACHE_HOME", (carpeta_.ruta() / "cache").c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("XDG_CACHE_HOME");
    prueba::ConDemo::TearDown();
  }
  // The run's end, by the signal `senal`; the pipe `salida` is its standard output.
  int correr(std::vector<const char*> args, int salida) {
    pid_t hijo = ::fork();
    if (hijo == 0) {
      ::dup2(salida, 1);
      int nada = ::open("/dev/null", O_WRONLY);
      ::dup2(nada, 2);
      args.insert(args.begin(), {"nubo", "--demo", demo_.c_str()});
      args.push_back(nullptr);
      ::execv(NUBO_EJECUTABLE, const_cast<char* const*>(args.data()));
      ::_exit(127);
    }
    return hijo;
  }
  std::vector<std::string> dejados() const {
    std::vector<std::string> r;
    for (const auto& f : fs::directory_iterator(carpeta_.ruta() / "cache" / "nubo")) {
      if (f.path().extension() != ".rpt") r.push_back(f.path().filename().string());
    }
    return r;
  }
};

TEST_F(RestosDeNubo, UnaTuberiaCerradaTerminaComoSIGTERMYUnaMatadaLaLimpiaLaSiguiente) {
  // A closed pipe: the run ends by SIGPIPE, as `nubo --texto | head -1` does, and removes its
  // report database on the way.
  int tubo[2];
  ASSERT_EQ(::pipe(tubo), 0);
  ::close(tubo[0]);
  pid_t hijo = correr({"--texto"}, tubo[1]);
  ::close(tubo[1]);
  int estado = 0;
  ::waitpid(hijo, &estado, 0);
  EXPECT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == SIGPIPE) << estado;
  EXPECT_EQ(dejados(), std::vector<std::string>{});

  // SIGKILL while it fills its work table: the statement trace goes into a pipe of one page
  // that nobody reads, so the run stops there with its report database made.
  fs::path traza = carpeta_.ruta() / "traza";
  ASSERT_EQ(::mkfifo(traza.c_str(), 0600), 0);
  int lee = ::open(traza.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_EQ(::fcntl(lee, F_SETPIPE_SZ, 4096), 4096);
  ::setenv("NUBO_TRAZA_SQL", traza.c_str(), 1);
  int nada = ::open("/dev/null", O_WRONLY);
  hijo = correr({"--permiso", "11111", "--preparar"}, nada);
  ::unsetenv("NUBO_TRAZA_SQL");
  auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (dejados().size() < 2 && std::chrono::steady_clock::now() < limite) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ::kill(hijo, SIGKILL);
  ::waitpid(hijo, nullptr, 0);
  ::close(lee);
  ::close(nada);
  ASSERT_GE(dejados().size(), 2u);  // its database and lock, or its side files

  EXPECT_EQ(prueba::correrNubo({"--demo", demo_, "--texto"}).estado, 0);
  EXPECT_EQ(dejados(), std::vector<std::string>{});
}

}  // namespace
}  // namespace suite::anfitrion
