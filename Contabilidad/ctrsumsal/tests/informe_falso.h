#pragma once

#include <string>
#include <vector>

#include "host/ctlinforme.h"

namespace prjsumsal::prueba {

// A report-output control that keeps what is written to it and raises its events when the
// test says so. It starts with values of its own, not the form's design values, so that a test
// sees whether the form wrote them.
class InformeFalso : public ctlinforme {
 public:
  bool glbpreeliminar() const override { return preeliminar; }
  void glbpreeliminar(bool v) override { preeliminar = v; }
  bool glbimprimir() const override { return imprimir; }
  void glbimprimir(bool v) override { imprimir = v; }
  std::string glbtipoimpresora() const override { return tipoImpresora; }
  void glbtipoimpresora(const std::string& v) override {
    tipoImpresora = v;
    escrituras.push_back("glbtipoimpresora=" + v);
  }
  std::string glbempresa() const override { return empresa; }
  void glbempresa(const std::string& v) override { empresa = v; }
  std::string glbprograma() const override { return programa; }
  void glbprograma(std::string& v) override { programa = v; }
  std::string glbusuario() const override { return usuario; }
  void glbusuario(const std::string& v) override { usuario = v; }
  void conectar(EventosInforme* e) override { eventos = e; }

  // The events; nothing happens when no form is connected.
  void sale() {
    if (eventos) eventos->ctlinforme1_Sale();
  }
  void preparaDatos() {
    if (eventos) eventos->ctlinforme1_PreparaDatos();
  }

  bool preeliminar = true;
  bool imprimir = true;
  std::string tipoImpresora = "?", empresa = "?", programa = "?", usuario = "?";
  std::vector<std::string> escrituras;  // printer-type writes, in order
  EventosInforme* eventos = nullptr;
};

}  // namespace prjsumsal::prueba
