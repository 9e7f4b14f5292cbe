#include <exception>
#include <system_error>
#include <thread>

#include "datos/base_sqlite.h"
#include "datos/error_sqlite.h"
#include "datos/explicacion.h"
#include "datos/lectura_doble.h"
#include "datos/registros_sqlite.h"

namespace suite::datos {

// The set that waited is read in a thread on the second connection while this one is read here;
// without a second connection, both are read here in the one read transaction, the set that
// waited first. Its failure is raised before this one's, as it would have come first.
std::unique_ptr<prjsumsal::Registros> BaseSqlite::leerALaPar(Aplazada& aplazada,
                                                             const std::string& sql) {
  std::unique_ptr<LecturaDoble> par;
  try {
    par = std::make_unique<LecturaDoble>(conexion_);
  } catch (const ErrorSqlite& e) {
    ErrorSqlite explicado(explicarSqlite(e.codigo(), e.what(), papel_, nombre_), e.codigo());
    aplazada.fallar(std::make_exception_ptr(explicado));  // it could not have been read either
    throw explicado;
  }
  std::jthread hilo;
  if (par->segunda() != nullptr) {
    try {
      hilo = std::jthread([&] {
        try {
          aplazada.recibir(leerEn(par->segunda(), aplazada.sentencia, papel_, nombre_));
        } catch (...) {
          aplazada.fallar(std::current_exception());
        }
      });
    } catch (const std::system_error&) {
      // No thread to be had: both are read here after all.
    }
  }
  auto propias = [&] { return leerEn(conexion_, sql, papel_, nombre_); };
  if (!hilo.joinable()) return leerUnaTrasOtra(aplazada, propias);
  return terminarALaPar(aplazada, propias, [&] {
    hilo.join();
    ++a_la_par_;
  });
}

}  // namespace suite::datos
