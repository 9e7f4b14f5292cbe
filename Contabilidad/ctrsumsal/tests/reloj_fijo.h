#pragma once

#include "host/reloj.h"

namespace prjsumsal::prueba {

// A clock that always reads `hoy`; a test may move it.
class RelojFijo : public Reloj {
 public:
  explicit RelojFijo(Fecha f = {2026, 12, 4}) : hoy(f) {}
  Fecha Hoy() const override {
    ++lecturas;
    return hoy;
  }

  Fecha hoy;
  mutable int lecturas = 0;
};

}  // namespace prjsumsal::prueba
