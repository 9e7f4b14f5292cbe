#include "acciones.h"

#include <exception>
#include <memory>

#include "aplicacion_qt.h"
#include "balance.h"
#include "formulario.h"
#include "host/error.h"
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
  // The form, when the options need it, is open from before the first action to after the
  // last; nothing more runs once it has shown a critical message, such as a refused RUT.
  AplicacionQt aplicacion(o);  // outlives the form and its report engine
  std::unique_ptr<SesionFormulario> sesion;
  try {
    if (usaFormulario(o)) sesion = std::make_unique<SesionFormulario>(o, bases, consola.errores);
  } catch (const std::exception& e) {
    consola.errores << "nubo: " << e.what() << '\n';
    return 1;
  }
  for (const Accion& a : o.acciones) {
    if (sesion && sesion->fallo()) return 1;
    try {
      switch (a.tipo) {
        case Accion::Tipo::Texto:
          texto(o, bases, consola);
          break;
        case Accion::Tipo::Preparar:
          sesion->preparar();
          break;
        case Accion::Tipo::GrabarContador:
          sesion->grabarContador();
          break;
        case Accion::Tipo::Excel:
          sesion->excel(a.argumento);
          break;
        case Accion::Tipo::Pdf:
          sesion->pdf();
          break;
        case Accion::Tipo::VistaPrevia:
          sesion->vistaPrevia(a.argumento);
          break;
        case Accion::Tipo::Imprimir:
          sesion->imprimir();
          break;
        case Accion::Tipo::Captura:
          throw prjsumsal::Error(
              "--captura dibuja la ventana: no es una acción del modo sin ventana");
      }
    } catch (const std::exception& e) {
      consola.errores << "nubo: " << e.what() << '\n';
      return 1;
    }
  }
  if (sesion) {
    sesion->cerrar();
    if (sesion->fallo()) return 1;
  }
  return 0;
}

}  // namespace suite
