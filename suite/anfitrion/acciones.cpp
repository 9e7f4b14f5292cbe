#include "acciones.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <fstream>
#include <memory>

#include "aplicacion_qt.h"
#include "archivos_ejecucion.h"
#include "avance/linea_terminal.h"
#include "balance.h"
#include "balance/cierre.h"
#include "balance/encabezado.h"
#include "export/archivo_seguro.h"
#include "formulario.h"
#include "host/error.h"
#include "host/plataforma.h"
#include "libro_comparado.h"
#include "mayor/comparacion.h"
#include "mayor/mayor.h"
#include "salida_mayor.h"
#include "salida_texto.h"

namespace suite::anfitrion {

namespace {

// Raises when what went to `salida` did not all reach it (a full disk, /dev/full, a closed
// pipe), so that a cut output is never reported as a success.
void comprobarSalida(std::ostream& salida, int error) {
  salida.flush();
  if (salida) return;
  if (error == 0) error = errno;
  std::string motivo = error == ENOSPC ? "no queda espacio en el disco"
                       : error == 0    ? "error de escritura"
                                       : std::strerror(error);
  throw prjsumsal::Error("No se puede escribir la salida: " + motivo);
}

// --texto --comparar: this year's balance beside last year's.
void comparacion(const Opciones& o, Bases& bases, Consola& consola) {
  mayor::Comparacion c = mayor::comparar(*bases.contabilidad, consultaDe(o));
  errno = 0;
  escribirComparacion(consola.salida, c, consola.terminal);
  comprobarSalida(consola.salida, errno);
}

// --comparar --excel ARCHIVO.xlsx: the same beside each other in a workbook, headed as the
// balance's .xlsx is, with the company record's RUT.
void comparacionXlsx(const Opciones& o, const std::string& ruta, Bases& bases) {
  mayor::Comparacion c = mayor::comparar(*bases.contabilidad, consultaDe(o));
  auto& plataforma = prjsumsal::plataforma();
  libro_xlsx::CabezaHoja cabeza;
  cabeza.empresa = o.nombreEmpresa;
  cabeza.rut = prjsumsal::leerEncabezado(*bases.contabilidad).ruc;
  cabeza.periodo = o.desde.texto() + " - " + o.hasta.texto();
  cabeza.emision = plataforma.reloj->Hoy().texto(plataforma.regional->separadorFecha());
  guardarComparacionXlsx(ruta, c, std::move(cabeza));
}

// --mayor CUENTA: the ledger of the account and of those under it, written as it is read.
void libroMayor(const Opciones& o, const std::string& cuenta, Bases& bases, Consola& consola) {
  mayor::Mayor libro(*bases.contabilidad, consultaDe(o), mayor::Seleccion{{}, {cuenta}});
  errno = 0;
  std::size_t cuentas = escribirMayor(consola.salida, libro, consola.terminal);
  comprobarSalida(consola.salida, errno);
  if (cuentas == 0) {
    consola.errores << "nubo: Ninguna cuenta con movimientos en el año ni del plan de cuentas "
                       "empieza por "
                    << cuenta << '\n';
  }
}

void texto(const Opciones& o, Bases& bases, Consola& consola) {
  if (o.comparar) return comparacion(o, bases, consola);
  SalidaTexto salida(consola.terminal);
  prjsumsal::Sumas sumas = calcularBalance(*bases.contabilidad, consultaDe(o),
                                           [&](const Renglon& r) { salida.agregar(r); });
  errno = 0;
  salida.escribir(consola.salida);
  comprobarSalida(consola.salida, errno);
  if (!prjsumsal::cuadra(sumas)) {
    consola.errores << "nubo: " << prjsumsal::lineaCuadre(sumas) << '\n';
  }
}

// "--excel -": the form writes the workbook whole, as to any file, over a temporary file of the
// one safe path that is never put in place: it is copied to standard output once whole, and
// removed when `paso` ends, as on a failure or a signal (a run killed outright leaves it to the
// next writer in the cache folder).
void excelSalida(SesionFormulario& sesion, Consola& consola) {
  prjsumsal::ArchivoSeguro paso(archivoDeEjecucion("libro.xls").string());
  sesion.excel(paso.escritura());
  if (sesion.fallo()) return;  // the form has said why
  std::ifstream hecho(paso.escritura(), std::ios::binary);
  if (!hecho) throw prjsumsal::Error("No se puede leer el libro escrito en " + paso.escritura());
  errno = 0;
  consola.salida << hecho.rdbuf();
  comprobarSalida(consola.salida, errno);
}

// One action; raises what it fails with. The form's actions run on `sesion`, which is there
// when the options use the form.
void ejecutar(const Accion& a, const Opciones& o, Bases& bases, Consola& consola,
              SesionFormulario* sesion) {
  switch (a.tipo) {
    case Accion::Tipo::Texto:
      texto(o, bases, consola);
      break;
    case Accion::Tipo::Mayor:
      libroMayor(o, a.argumento, bases, consola);
      break;
    case Accion::Tipo::Preparar:
      sesion->preparar();
      break;
    case Accion::Tipo::GrabarContador:
      sesion->grabarContador();
      break;
    case Accion::Tipo::Excel:
      if (o.comparar) {
        comparacionXlsx(o, a.argumento, bases);
      } else if (a.argumento == "-") {
        excelSalida(*sesion, consola);
      } else {
        sesion->excel(a.argumento);
      }
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
      throw prjsumsal::Error("--captura dibuja la ventana: no es una acción del modo sin ventana");
    case Accion::Tipo::Ver:
      throw prjsumsal::Error("--ver abre el visor: no es una acción del modo sin ventana");
  }
}

}  // namespace

int ejecutarAcciones(const Opciones& o, Bases& bases, Consola consola) {
  // The form, when the options need it, is open from before the first action to after the
  // last; nothing more runs once it has shown a critical message, such as a refused RUT.
  AplicacionQt aplicacion(o);  // outlives the form and its report engine
  std::unique_ptr<SesionFormulario> sesion;
  try {
    if (usaFormulario(o))
      sesion = std::make_unique<SesionFormulario>(o, bases, consola.errores, consola.avance);
  } catch (const std::exception& e) {
    consola.errores << "nubo: " << e.what() << '\n';
    return 1;
  }
  for (const Accion& a : o.acciones) {
    if (sesion && sesion->fallo()) return 1;
    avance::LineaTerminal::Alcance trabajo(consola.avance);
    try {
      ejecutar(a, o, bases, consola, sesion.get());
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

}  // namespace suite::anfitrion
