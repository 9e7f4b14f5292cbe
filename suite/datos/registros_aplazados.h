#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "host/registros.h"

namespace suite::datos {

// A grouped record set whose statement waits for the next record set of its database object,
// so that the object can read the two at once, each on a connection of its own, in one state of
// the database. The object reads it on its own instead, on its own connection, when it is used
// before that, or when anything else is asked of the object, or when the object is closed.
struct Aplazada {
  std::string sentencia;  // as the engine takes it
  // Reads the statement on the object's connection; empty once the set has been read.
  std::function<std::unique_ptr<prjsumsal::Registros>()> leerSola;
  std::unique_ptr<prjsumsal::Registros> filas;  // once read
  std::exception_ptr error;                     // once its reading failed

  bool pendiente() const { return !filas && !error; }
  // Reads it on its own if it still waits. A failure is kept, and raised where the set is used.
  void resolver();
  // Keeps the outcome of a reading done elsewhere.
  void recibir(std::unique_ptr<prjsumsal::Registros> leidas);
  void fallar(std::exception_ptr e);
};

using LeerRegistros = std::function<std::unique_ptr<prjsumsal::Registros>()>;

// The ending of a read of two sets at once, the same on every engine: `propias` reads the
// caller's own set on the object's connection while the set that waited is read on another;
// `esperar` then waits for that reading to end (it has called recibir or fallar). The failure of
// the set that waited is raised before the caller's own, as it would have come first.
std::unique_ptr<prjsumsal::Registros> terminarALaPar(Aplazada& aplazada,
                                                     const LeerRegistros& propias,
                                                     const std::function<void()>& esperar);

// Without another connection: the set that waited is read first, on its own, then the caller's
// own set with `propias`; the failure of the first is raised before the second is read.
std::unique_ptr<prjsumsal::Registros> leerUnaTrasOtra(Aplazada& aplazada,
                                                      const LeerRegistros& propias);

// The record set the caller holds: each member reads the statement first if it still waits,
// and raises the failure of its reading, if it failed, on every use.
class RegistrosAplazados : public prjsumsal::Registros {
 public:
  explicit RegistrosAplazados(std::shared_ptr<Aplazada> aplazada)
      : aplazada_(std::move(aplazada)) {}

  bool eof() const override { return filas().eof(); }
  void MoveNext() override { filas().MoveNext(); }
  prjsumsal::Campo fields(std::string_view nombre) const override { return filas().fields(nombre); }
  void findfirst(std::string_view criterio) override { filas().findfirst(criterio); }
  bool nomatch() const override { return filas().nomatch(); }

 private:
  prjsumsal::Registros& filas() const;

  std::shared_ptr<Aplazada> aplazada_;
};

}  // namespace suite::datos
