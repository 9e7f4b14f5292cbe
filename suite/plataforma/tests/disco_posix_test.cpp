#include "plataforma/disco_posix.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "disco_chico.h"
#include "export/archivo_seguro.h"
#include "host/error.h"

namespace suite::plataforma {
namespace {

// Only a process of this machine that no longer exists has ended; this process, a live one,
// one of another machine and a name that is no owner are alive.
TEST(DiscoPosix, SoloUnProcesoQueYaNoExisteHaTerminado) {
  DiscoPosix disco;
  const std::string propio = disco.dueno();
  const std::string maquina = propio.substr(propio.find('@'));
  pid_t vivo = ::fork();
  if (vivo == 0) {
    ::pause();
    ::_exit(0);
  }
  pid_t muerto = ::fork();
  if (muerto == 0) ::_exit(0);
  ::waitpid(muerto, nullptr, 0);
  const std::pair<std::string, bool> casos[] = {
      {propio, false},
      {std::to_string(vivo) + maquina, false},
      {std::to_string(muerto) + maquina, true},
      {std::to_string(muerto) + "@otra-maquina", false},
      {"99999999999999999999" + maquina, false},
      {"-1" + maquina, false},
      {"", false},
  };
  for (const auto& [dueno, terminado] : casos)
    EXPECT_EQ(disco.terminado(dueno), terminado) << dueno;
  ::kill(vivo, SIGKILL);
  ::waitpid(vivo, nullptr, 0);
}

// A disk that fills half way through the file: the message says so, the earlier file and the
// space it takes stay, no temporary file is left.
TEST(DiscoPosix, UnDiscoLlenoDejaElArchivoAnterior) {
  prjsumsal::prueba::DiscoChico chico(256);
  if (!chico.montado()) GTEST_SKIP() << "no se puede montar un tmpfs aquí";
  DiscoPosix disco;
  const std::string r = chico.ruta("libro.xls");
  std::ofstream(r) << "anterior";
  std::string mensaje;
  try {
    prjsumsal::ArchivoSeguro a(r, &disco);
    for (int i = 0; i < 100000; ++i) a.flujo() << "<Row>una línea del libro</Row>\r\n";
    a.confirmar();
  } catch (const prjsumsal::Error& e) {
    mensaje = e.what();
  }
  EXPECT_EQ(mensaje, "No se puede escribir el archivo " + r + ": no queda espacio en el disco");
  std::ostringstream leido;
  leido << std::ifstream(r).rdbuf();
  EXPECT_EQ(leido.str(), "anterior");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(chico.ruta()), {}), 1);
}

}  // namespace
}  // namespace suite::plataforma
