#include "datos/registros_aplazados.h"

namespace suite {

void Aplazada::resolver() {
  if (!pendiente()) return;
  try {
    recibir(leerSola());
  } catch (...) {
    fallar(std::current_exception());
  }
}

void Aplazada::recibir(std::unique_ptr<prjsumsal::Registros> leidas) {
  filas = std::move(leidas);
  leerSola = nullptr;  // lets go of what the reading needed (a snapshot kept open, say)
}

void Aplazada::fallar(std::exception_ptr e) {
  error = std::move(e);
  leerSola = nullptr;
}

prjsumsal::Registros& RegistrosAplazados::filas() const {
  aplazada_->resolver();
  if (aplazada_->error) std::rethrow_exception(aplazada_->error);
  return *aplazada_->filas;
}

}  // namespace suite
