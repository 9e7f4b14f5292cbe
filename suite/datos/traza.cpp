#include "datos/traza.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace suite::datos {

namespace {

std::string escapar(std::string_view texto) {
  std::string r;
  r.reserve(texto.size());
  for (char c : texto) {
    switch (c) {
      case '\n':
        r += "\\n";
        break;
      case '\r':
        r += "\\r";
        break;
      case '\\':
        r += "\\\\";
        break;
      default:
        r += c;
    }
  }
  return r;
}

// The failure to open the trace file is told once per process, not once per database object.
std::atomic<bool> avisado{false};

}  // namespace

const char* nombrePapel(Papel papel) {
  return papel == Papel::Contabilidad ? "contabilidad" : "informes";
}

Traza::Traza(Papel papel) : papel_(papel) {
  const char* ruta = std::getenv("NUBO_TRAZA_SQL");
  if (ruta == nullptr || *ruta == '\0') return;
  archivo_ = ::open(ruta, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (archivo_ < 0 && !avisado.exchange(true)) {
    std::fprintf(stderr, "NUBO_TRAZA_SQL: no se puede abrir %s: %s; la traza queda desactivada\n",
                 ruta, std::strerror(errno));
  }
}

Traza::~Traza() {
  if (archivo_ >= 0) ::close(archivo_);
}

void Traza::anotar(std::string_view operacion, std::string_view sentencia) {
  if (archivo_ < 0) return;
  std::string linea = std::string(nombrePapel(papel_)) + '\t' + std::string(operacion) + '\t' +
                      escapar(sentencia) + '\n';
  // One append per line, so that the lines of the two objects never mix and a crash loses
  // nothing already traced. A failed write is ignored: the trace never stops the work.
  [[maybe_unused]] auto escrito = ::write(archivo_, linea.data(), linea.size());
}

}  // namespace suite::datos
