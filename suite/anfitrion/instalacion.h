#pragma once

#include <functional>
#include <memory>
#include <string>

#include "avance/avance.h"
#include "bases.h"
#include "clase/clssumsal.h"
#include "host/plataforma.h"
#include "informes/motor.h"
#include "opciones.h"

namespace suite::anfitrion {

// What every host mode takes from the run to build its platform: the report database that the
// report control batches its writes in and the report engine reads, and the engine's settings
// from the command line.
struct AjustesInstalacion {
  std::shared_ptr<prjsumsal::BaseDatos> informes;
  std::string impresora;             // --impresora: the queue a print goes to
  int primerFolio = 1;               // --folio
  avance::Avance* avance = nullptr;  // told of the pages the engine paints; null: nobody
};

AjustesInstalacion ajustesDe(const Opciones& o, const Bases& bases,
                             avance::Avance* avance = nullptr);

// The guard of a host mode's platform: it installs `instalada` as the process's platform
// (prjsumsal::plataforma(), which the class created by its identifier uses) and gives the
// previous one back when it ends. A mode starts from the process's platform as main leaves it
// (clock, regional settings, module folder, disk) and replaces the parts that are its own; the
// mode owns those parts and declares its guard after them, so the guard ends first.
class PlataformaInstalada {
 public:
  explicit PlataformaInstalada(const prjsumsal::Plataforma& instalada);
  ~PlataformaInstalada();
  PlataformaInstalada(const PlataformaInstalada&) = delete;
  PlataformaInstalada& operator=(const PlataformaInstalada&) = delete;

  const prjsumsal::Plataforma& plataforma() const;

 private:
  prjsumsal::Plataforma anterior_;
};

// Makes the report engine that the form holds, on the report database, with the settings it
// reads at each run; the mode that owns `ajustes` may change them between runs.
std::function<std::unique_ptr<prjsumsal::rptreporte>()> fabricaMotor(
    std::shared_ptr<prjsumsal::BaseDatos> informes,
    std::shared_ptr<const informes::AjustesMotor> ajustes);

// Settings of the report engine from those of the installation; the rest is left as it comes.
std::shared_ptr<informes::AjustesMotor> ajustesMotor(const AjustesInstalacion& a);

// Creates the module's public class by its identifier, from the module's file in `carpeta`.
std::unique_ptr<prjsumsal::clssumsal> crearClase(const std::string& carpeta);

}  // namespace suite::anfitrion
