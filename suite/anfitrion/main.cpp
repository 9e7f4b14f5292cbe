// nubo: the host program of the balance module. It takes the working context from the command
// line, opens the databases and runs the actions asked for; without an action it opens the
// balance form in its window when there is a screen.
#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "acciones.h"
#include "aplicacion_qt.h"
#include "avance/bases_con_avance.h"
#include "avance/linea_terminal.h"
#include "bases.h"
#include "carpeta_modulo.h"
#include "empresa.h"
#include "formulario.h"
#include "host/plataforma.h"
#include "opciones.h"
#include "plataforma/disco_posix.h"
#include "sesion_ventana.h"
#include "sesion_visor.h"

int main(int argc, char** argv) {
  using namespace suite;
  using namespace suite::anfitrion;
  plataforma::prepararEscritura();
  prjsumsal::Fecha hoy = prjsumsal::plataforma().reloj->Hoy();
  Lectura lectura;
  Bases bases;
  try {
    lectura = leerOpciones(argc, argv, hoy);
    if (lectura.ayuda) {
      std::cout << *lectura.ayuda;
      return 0;
    }
    auto& carpeta = prjsumsal::plataforma().carpetaModulo;
    carpeta = carpetaModulo(carpeta).string();
    for (const auto& aviso : avisos(lectura.opciones))
      std::cerr << "nubo: aviso: " << aviso << '\n';
    bases = abrirBases(lectura.opciones, hoy, std::cerr);
  } catch (const ErrorUso& e) {
    std::cerr << "nubo: " << e.what() << '\n';
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "nubo: " << e.what() << '\n';
    return 1;
  }
  const Opciones& o = lectura.opciones;
  avisarEmpresaSinComprobantes(*bases.contabilidad, o.empresa, std::cerr);
  if (std::any_of(o.acciones.begin(), o.acciones.end(),
                  [](const Accion& a) { return a.tipo == Accion::Tipo::Ver; }))
    return verBalance(o, bases, std::cerr);
  const bool captura = o.acciones.size() == 1 && o.acciones.front().tipo == Accion::Tipo::Captura;
  try {
    // The picture is drawn without a screen, whatever the machine has.
    if (captura) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (captura || (o.acciones.empty() && hayPantalla())) {
      AplicacionQt aplicacion(o);
      if (captura) return capturarVentana(o, bases, o.acciones.front().argumento, std::cerr);
      return abrirVentana(o, bases);
    }
  } catch (const std::exception& e) {
    std::cerr << "nubo: " << e.what() << '\n';
    return 1;
  }
  // Nothing asked for can be done: a script learns it from the status.
  if (o.acciones.empty() && !usaFormulario(o)) {
    std::cerr << "nubo: no hay pantalla para abrir la ventana (DISPLAY y WAYLAND_DISPLAY sin "
                 "valor); sin ella, indique una acción: --texto, --excel ARCHIVO, --pdf, "
                 "--vista-previa ARCHIVO.pdf, --imprimir, --preparar, --grabar-contador o "
                 "--captura ARCHIVO.png (nubo --help las explica)\n";
    return 1;
  }
  // On a terminal, long work shows how far it has got, read from what reaches the databases.
  auto linea = avance::LineaTerminal::enErrores();
  if (linea) {
    avance::SeguimientoBases seguimiento(*linea);
    bases.contabilidad = seguimiento.contabilidad(bases.contabilidad);
    bases.informes = seguimiento.informes(bases.informes);
  }
  return ejecutarAcciones(lectura.opciones, bases,
                          {std::cout, std::cerr, ::isatty(STDOUT_FILENO) == 1, linea.get()});
}
