#include "controles/preparacion.h"

#include <cstddef>

#include "host/plataforma.h"

namespace suite {

namespace {

// Passes each box on to the platform's and counts it.
class Contador : public prjsumsal::Mensajes {
 public:
  explicit Contador(prjsumsal::Mensajes* destino) : destino_(destino) {}
  void MsgBox(const std::string& texto, prjsumsal::Icono icono,
              const std::optional<std::string>& titulo) override {
    ++cajas_;
    destino_->MsgBox(texto, icono, titulo);
  }
  std::size_t cajas() const { return cajas_; }

 private:
  prjsumsal::Mensajes* destino_;
  std::size_t cajas_ = 0;
};

// Puts the counter in the platform while it lives, the previous boxes back when it dies.
class EnLaPlataforma {
 public:
  explicit EnLaPlataforma(prjsumsal::Mensajes* contador)
      : anterior_(prjsumsal::plataforma().mensajes) {
    prjsumsal::plataforma().mensajes = contador;
  }
  ~EnLaPlataforma() { prjsumsal::plataforma().mensajes = anterior_; }
  EnLaPlataforma(const EnLaPlataforma&) = delete;
  EnLaPlataforma& operator=(const EnLaPlataforma&) = delete;

 private:
  prjsumsal::Mensajes* anterior_;
};

}  // namespace

bool prepararSinMensajes(prjsumsal::EventosInforme& eventos) {
  prjsumsal::Mensajes* actuales = prjsumsal::plataforma().mensajes;
  if (actuales == nullptr) {
    eventos.ctlinforme1_PreparaDatos();
    return true;
  }
  Contador contador(actuales);
  {
    EnLaPlataforma puesto(&contador);
    eventos.ctlinforme1_PreparaDatos();
  }
  return contador.cajas() == 0;
}

}  // namespace suite
