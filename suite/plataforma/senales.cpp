#include "plataforma/senales.h"

#include <signal.h>
#include <unistd.h>

#include "host/temporales.h"

namespace suite::plataforma {

namespace {

void borrar(const char* ruta) {
  ::unlink(ruta);
}

// Only async-signal-safe calls: unlink, then the default action of the same signal.
void alRecibir(int senal) {
  prjsumsal::recorrerTemporales(borrar);
  ::signal(senal, SIG_DFL);
  ::raise(senal);
}

}  // namespace

void limpiarAlTerminar() {
  struct sigaction accion {};
  accion.sa_handler = alRecibir;
  sigemptyset(&accion.sa_mask);
  for (int s : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    struct sigaction anterior {};
    // A signal the caller chose to ignore (nohup) stays ignored.
    if (::sigaction(s, nullptr, &anterior) == 0 && anterior.sa_handler == SIG_IGN) continue;
    ::sigaction(s, &accion, nullptr);
  }
}

}  // namespace suite::plataforma
