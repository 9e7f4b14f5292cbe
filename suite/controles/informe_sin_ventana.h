#pragma once

#include <memory>
#include <string>

#include "host/base_datos.h"
#include "host/ctlinforme.h"

namespace suite::controles {

// The report-output control without a window: it keeps the values written to it and raises its
// events when its buttons are "pressed" by code. As the real control does, it raises the
// data-preparation event before it lets print or preview run.
class InformeSinVentana : public prjsumsal::ctlinforme {
 public:
  bool glbpreeliminar() const override { return preeliminar_; }
  void glbpreeliminar(bool v) override { preeliminar_ = v; }
  bool glbimprimir() const override { return imprimir_; }
  void glbimprimir(bool v) override { imprimir_ = v; }
  std::string glbtipoimpresora() const override { return tipoImpresora_; }
  void glbtipoimpresora(const std::string& v) override { tipoImpresora_ = v; }
  std::string glbempresa() const override { return empresa_; }
  void glbempresa(const std::string& v) override { empresa_ = v; }
  std::string glbprograma() const override { return programa_; }
  void glbprograma(std::string& v) override { programa_ = v; }
  std::string glbusuario() const override { return usuario_; }
  void glbusuario(const std::string& v) override { usuario_ = v; }
  void conectar(prjsumsal::EventosInforme* eventos) override { eventos_ = eventos; }

  // The report database whose statements of each data preparation share one batch, begun and
  // ended with the event (see prepararEnLote); none: each statement is committed on its own.
  void baseInformes(std::weak_ptr<prjsumsal::BaseDatos> base) { informes_ = std::move(base); }

  // The data-preparation event alone. False when its rows could not be committed (a message
  // box said so).
  bool prepararDatos();
  // The print button: data preparation, then print, unless the preparation said it failed (a
  // message box) or its rows could not be committed. Enabled by the second permission flag;
  // pressed while disabled it runs nothing and raises BotonDeshabilitado.
  void pulsarImprimir();
  // The preview button: data preparation, then preview. Enabled by the first permission flag,
  // as pulsarImprimir by the second.
  void pulsarVistaPrevia();
  // The exit button.
  void pulsarSalir();

 private:
  bool preeliminar_ = false;
  bool imprimir_ = false;
  std::string tipoImpresora_;
  std::string empresa_ = "Empresa";
  std::string programa_ = "Programa";
  std::string usuario_ = "Usuario";
  prjsumsal::EventosInforme* eventos_ = nullptr;
  std::weak_ptr<prjsumsal::BaseDatos> informes_;
};

}  // namespace suite::controles
