#include "host/temporales.h"

#include <array>
#include <atomic>
#include <cstring>

namespace prjsumsal {

namespace {

// A slot is free, being written, or holds a path a signal handler may read.
enum Estado : int { kLibre, kEscribiendo, kListo };

struct Casilla {
  std::atomic<int> estado{kLibre};
  char ruta[4096];
};

std::array<Casilla, 64>& casillas() {
  static std::array<Casilla, 64> c;
  return c;
}

}  // namespace

void anotarTemporal(std::string_view ruta) {
  if (ruta.size() >= sizeof(Casilla::ruta)) return;
  for (Casilla& c : casillas()) {
    int libre = kLibre;
    if (!c.estado.compare_exchange_strong(libre, kEscribiendo)) continue;
    std::memcpy(c.ruta, ruta.data(), ruta.size());
    c.ruta[ruta.size()] = '\0';
    c.estado.store(kListo);
    return;
  }
}

void olvidarTemporal(std::string_view ruta) {
  for (Casilla& c : casillas()) {
    int listo = kListo;
    if (c.estado.load() == kListo && ruta == c.ruta &&
        c.estado.compare_exchange_strong(listo, kEscribiendo)) {
      c.estado.store(kLibre);
      return;
    }
  }
}

void recorrerTemporales(void (*borrar)(const char*)) noexcept {
  for (Casilla& c : casillas()) {
    if (c.estado.load() == kListo) borrar(c.ruta);
  }
}

}  // namespace prjsumsal
