#include "acciones.h"

#include <exception>

#include "balance.h"
#include "salida_texto.h"

namespace suite {

namespace {

void texto(const Opciones& o, Bases& bases, Consola& consola) {
  auto renglones = calcularBalance(*bases.contabilidad, consultaDe(o));
  if (consola.terminal) {
    escribirTabla(consola.salida, renglones);
  } else {
    escribirSeparado(consola.salida, renglones);
  }
  consola.salida.flush();
}

}  // namespace

int ejecutarAcciones(const Opciones& o, Bases& bases, Consola consola) {
  for (const Accion& a : o.acciones) {
    try {
      switch (a.tipo) {
        case Accion::Tipo::Texto:
          texto(o, bases, consola);
          break;
      }
    } catch (const std::exception& e) {
      consola.errores << "nubo: " << e.what() << '\n';
      return 1;
    }
  }
  return 0;
}

}  // namespace suite
