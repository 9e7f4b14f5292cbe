#pragma once

#include <functional>
#include <memory>
#include <string>

#include "host/ctldia.h"
#include "host/ctlinforme.h"
#include "host/dialogo.h"
#include "host/disco.h"
#include "host/escritor_xlsx.h"
#include "host/mensajes.h"
#include "host/procesos.h"
#include "host/puntero.h"
#include "host/regional.h"
#include "host/reloj.h"
#include "host/rptreporte.h"

namespace prjsumsal {

// Everything outside the module that the module calls: message boxes, the clock, regional
// settings, the save dialog, starting a process, the mouse pointer, the module's folder, and the
// creation of the suite's controls and the report engine that the form hosts, and of the writer
// of .xlsx workbooks. The host installs its parts before it creates the public class; tests
// build their own. The pointers are not owned.
struct Plataforma {
  Mensajes* mensajes = nullptr;
  Reloj* reloj = nullptr;
  Regional* regional = nullptr;
  DialogoGuardar* dialogo = nullptr;
  Procesos* procesos = nullptr;
  Puntero* puntero = nullptr;
  // The folder that holds the module's file, without a trailing separator.
  std::string carpetaModulo;
  // Create the suite's controls `prjinformes.ctlinforme` and `prjDia.ctlDia`.
  std::function<std::unique_ptr<ctlinforme>()> crearInforme;
  std::function<std::unique_ptr<ctlDia>()> crearDia;
  // Receives the check line of a balance just delivered (a workbook or the hand-over files
  // written, the work table prepared for a preview or a print): the text, and whether it says
  // the balance squares. It is no message box of the form; unset drops it.
  std::function<void(const std::string& linea, bool cuadra)> cuadre;
  // Create the report engine the form holds as `rptreporte`. A host without one leaves it
  // empty: the form still loads, and print and preview report that the engine is missing.
  std::function<std::unique_ptr<rptreporte>()> crearReporte;
  // The file system calls of every file the programs write (ArchivoSeguro); null: the
  // standard library's.
  Disco* disco = nullptr;
  // Create the writer of an Office Open XML workbook into the file `ruta` (a temporary one);
  // its messages name `nombre`, the file as the user chose it. Raises an Error when it cannot. A
  // host without one leaves it empty: the form then refuses a workbook name ending in ".xlsx"
  // and says why.
  std::function<std::unique_ptr<EscritorXlsx>(const std::string& ruta, const std::string& nombre,
                                              const DisenoLibro& diseno)>
      crearLibroXlsx;
};

// The process's platform. Until the host installs its own parts it holds defaults: message
// boxes on standard error, the system clock, Chile's regional settings, a save dialog that is
// always cancelled, a process start that fails, a mouse pointer that does nothing, the
// executable's folder as the module's folder, and no controls nor .xlsx writer.
Plataforma& plataforma();

}  // namespace prjsumsal
