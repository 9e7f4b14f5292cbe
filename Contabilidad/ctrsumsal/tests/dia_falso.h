#pragma once

#include <string>

#include "host/ctldia.h"
#include "host/error.h"

namespace prjsumsal::prueba {

// A date-entry control holding one calendar day; a text that is not a real day is refused.
class DiaFalso : public ctlDia {
 public:
  std::string Text() const override { return fecha.texto(); }
  void Text(const std::string& valor) override {
    auto f = Fecha::leer(valor);
    if (!f) throw Error("Fecha no válida: " + valor);
    fecha = *f;
  }
  std::string FechaSQL() const override { return fecha.iso(); }
  int Anio() const override { return fecha.anio; }

  Fecha fecha{1999, 1, 1};
};

}  // namespace prjsumsal::prueba
