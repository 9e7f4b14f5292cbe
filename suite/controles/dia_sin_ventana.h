#pragma once

#include <string>

#include "host/ctldia.h"
#include "host/fecha.h"

namespace suite::controles {

// The date-entry control without a window: one calendar day, shown "dd/mm/yyyy", given to a
// query as "yyyy-mm-dd".
class DiaSinVentana : public prjsumsal::ctlDia {
 public:
  std::string Text() const override { return fecha_.texto(); }
  // Takes "dd/mm/yyyy" (or with "-"); raises an Error naming the text when it is not a real day,
  // and the date stays as it was.
  void Text(const std::string& valor) override;
  std::string FechaSQL() const override { return fecha_.iso(); }
  int Anio() const override { return fecha_.anio; }

 private:
  prjsumsal::Fecha fecha_{2000, 5, 18};
};

}  // namespace suite::controles
