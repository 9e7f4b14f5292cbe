#pragma once

#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "host/base_datos.h"
#include "host/ctlinforme.h"

#include <QFrame>
class QLabel;
class QPushButton;

namespace suite::ventana {

class Progreso;

// The suite's report-output control on screen: a panel that lies under the whole form and
// carries, at its top, the company text and the user text and, at its foot, the program name
// and the buttons "Vista Previa", "Imprimir" and "Salir", and above its foot whether the last
// balance delivered squares. The first permission flag enables the
// preview button, the second the print button.
//
// Preview and print raise the data-preparation event first and then their own, both as one
// piece of long work (busy pointer, a progress dialog past a second); when the user cancels the
// preparation, or the preparation says it failed (a message box), the report does not run. Salir
// raises the exit event. After each button's events the control calls alTerminar, so the window can
// show what the form changed, or close when the form unloaded itself.
//
// The panel belongs to the control until a window takes it as a child, as for DiaVentana.
class InformeVentana : public prjsumsal::ctlinforme {
 public:
  explicit InformeVentana(Progreso* progreso = nullptr);
  ~InformeVentana() override;
  InformeVentana(const InformeVentana&) = delete;
  InformeVentana& operator=(const InformeVentana&) = delete;

  bool glbpreeliminar() const override { return preeliminar_; }
  void glbpreeliminar(bool valor) override;
  bool glbimprimir() const override { return imprimir_; }
  void glbimprimir(bool valor) override;
  std::string glbtipoimpresora() const override { return tipoImpresora_; }
  void glbtipoimpresora(const std::string& valor) override { tipoImpresora_ = valor; }
  std::string glbempresa() const override { return empresa_; }
  void glbempresa(const std::string& valor) override;
  std::string glbprograma() const override { return programa_; }
  void glbprograma(std::string& valor) override;
  std::string glbusuario() const override { return usuario_; }
  void glbusuario(const std::string& valor) override;
  void conectar(prjsumsal::EventosInforme* eventos) override { eventos_ = eventos; }

  // The report database whose statements of each data preparation share one batch, begun and
  // ended with the event (see prepararEnLote); none: each statement is committed on its own.
  void baseInformes(std::weak_ptr<prjsumsal::BaseDatos> base) { informes_ = std::move(base); }

  QFrame* panel() const { return panel_; }
  std::function<void()> alTerminar;
  // Shows the check line of the balance just delivered above the panel's foot, in red when it
  // does not square; the host's platform sends it after a preview, a print or an export.
  void mostrarCuadre(const std::string& linea, bool cuadra);

  // What the buttons do, for a host that presses them without a screen. A disabled button
  // runs nothing and raises BotonDeshabilitado.
  void pulsarVistaPrevia();
  void pulsarImprimir();
  void pulsarSalir();

 private:
  void informe(void (prjsumsal::EventosInforme::*evento)(), bool ocupado);
  void terminado();

  Progreso* progreso_;
  prjsumsal::EventosInforme* eventos_ = nullptr;
  std::weak_ptr<prjsumsal::BaseDatos> informes_;
  bool preeliminar_ = false;
  bool imprimir_ = false;
  std::string tipoImpresora_;
  std::string empresa_ = "Empresa";
  std::string programa_ = "Programa";
  std::string usuario_ = "Usuario";

  QPointer<QFrame> panel_;
  QLabel* etiquetaEmpresa_;
  QLabel* etiquetaUsuario_;
  QLabel* etiquetaPrograma_;
  QLabel* etiquetaCuadre_;
  QPushButton* vistaPrevia_;
  QPushButton* imprimirBoton_;
  QPushButton* salir_;
};

}  // namespace suite::ventana
