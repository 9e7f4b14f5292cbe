#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "avance/avance.h"
#include "host/base_datos.h"
#include "host/rptreporte.h"

class QWidget;

namespace suite::informes {

// What the host decides about the engine's runs beyond the three members the form writes.
struct AjustesMotor {
  QString impresora;         // queue to print on; empty: the system's default printer
  int primerFolio = 1;       // folio of the first page in the folio layouts
  QString vistaPreviaPdf;    // when set, a preview is written to this PDF file, not to a window
  QString emision;           // issue date "dd/mm/yyyy"; empty: today
  QWidget* padre = nullptr;  // parent of the preview window
  avance::Avance* avance = nullptr;  // told of the pages painted
  // Where a warning goes that is no failure (a job left waiting in a stopped printer's queue);
  // unset drops it.
  std::function<void(const std::string&)> aviso = {};
};

// The report engine the form holds as `rptreporte`. Writing 1 to its trigger reads the report
// file, reads the work table `ctrsumsal` from the report database it was given (its rows alone,
// which close the balance: leerTablaTrabajo), lays the balance out with
// PintorBalance and sends the pages to the destination: for the window, to the PDF file of
// AjustesMotor::vistaPreviaPdf when set, otherwise to a print preview window titled with
// TituloVentana (which needs a QApplication on a display); for the printer, as one job to the
// chosen CUPS queue or the default one (ColaCups). Every failure raises prjsumsal::Error with its
// cause (report file, work table, no display; for the printer the scheduler's or the printer's
// own reason, also when the queue refuses or aborts the job after it was sent).
class MotorInforme : public prjsumsal::rptreporte {
 public:
  // The engine reads `ajustes` at each run, so that its host may decide between two runs where
  // the next preview goes or which window it belongs to. Neither pointer may be null.
  MotorInforme(std::shared_ptr<prjsumsal::BaseDatos> base,
               std::shared_ptr<const AjustesMotor> ajustes);
  // Settings fixed for the engine's life.
  MotorInforme(std::shared_ptr<prjsumsal::BaseDatos> base, AjustesMotor ajustes = {});

  std::int32_t Destino() const override { return destino_; }
  void Destino(std::int32_t valor) override { destino_ = valor; }
  std::string Archivo() const override { return archivo_; }
  void Archivo(const std::string& valor) override { archivo_ = valor; }
  void Accion(std::int16_t valor) override;
  std::string TituloVentana() const override { return titulo_; }
  void TituloVentana(const std::string& valor) override { titulo_ = valor; }

 private:
  std::shared_ptr<prjsumsal::BaseDatos> base_;
  std::shared_ptr<const AjustesMotor> ajustes_;
  std::int32_t destino_ = kDestinoVentana;
  std::string archivo_;
  std::string titulo_;
};

// True when a preview window can be shown: a QApplication runs on a real display.
bool hayPantalla();

}  // namespace suite::informes
