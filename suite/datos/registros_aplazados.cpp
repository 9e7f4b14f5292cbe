#include "datos/registros_aplazados.h"

namespace suite::datos {

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

std::unique_ptr<prjsumsal::Registros> terminarALaPar(Aplazada& aplazada,
                                                     const LeerRegistros& propias,
                                                     const std::function<void()>& esperar) {
  std::unique_ptr<prjsumsal::Registros> leidas;
  std::exception_ptr falla;
  try {
    leidas = propias();
  } catch (...) {
    falla = std::current_exception();
  }
  esperar();
  if (aplazada.error) std::rethrow_exception(aplazada.error);
  if (falla) std::rethrow_exception(falla);
  return leidas;
}

std::unique_ptr<prjsumsal::Registros> leerUnaTrasOtra(Aplazada& aplazada,
                                                      const LeerRegistros& propias) {
  aplazada.resolver();
  if (aplazada.error) std::rethrow_exception(aplazada.error);
  return propias();
}

prjsumsal::Registros& RegistrosAplazados::filas() const {
  aplazada_->resolver();
  if (aplazada_->error) std::rethrow_exception(aplazada_->error);
  return *aplazada_->filas;
}

}  // namespace suite::datos
