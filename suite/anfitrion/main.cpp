// nubo: the host program of the balance module. It takes the working context from the command
// line, opens the databases and runs the actions asked for.
#include <unistd.h>

#include <iostream>

#include "acciones.h"
#include "bases.h"
#include "formulario.h"
#include "host/plataforma.h"
#include "opciones.h"
#include "senales.h"

int main(int argc, char** argv) {
  using namespace suite;
  limpiarAlTerminar();
  prjsumsal::Fecha hoy = prjsumsal::plataforma().reloj->Hoy();
  Lectura lectura;
  Bases bases;
  try {
    lectura = leerOpciones(argc, argv, hoy);
    if (lectura.ayuda) {
      std::cout << *lectura.ayuda;
      return 0;
    }
    for (const auto& aviso : avisos(lectura.opciones))
      std::cerr << "nubo: aviso: " << aviso << '\n';
    bases = abrirBases(lectura.opciones, hoy);
  } catch (const ErrorUso& e) {
    std::cerr << "nubo: " << e.what() << '\n';
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "nubo: " << e.what() << '\n';
    return 1;
  }
  if (lectura.opciones.acciones.empty() && !usaFormulario(lectura.opciones)) {
    std::cout << "nubo: indique una acción, por ejemplo --texto (nubo --help las muestra)\n";
    return 0;
  }
  return ejecutarAcciones(lectura.opciones, bases,
                          {std::cout, std::cerr, ::isatty(STDOUT_FILENO) == 1});
}
