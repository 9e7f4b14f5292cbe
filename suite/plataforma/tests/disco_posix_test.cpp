#include "plataforma/disco_posix.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

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

}  // namespace
}  // namespace suite::plataforma
