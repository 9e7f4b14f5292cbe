#pragma once

#include "host/fecha.h"

namespace prjsumsal {

// The system clock, read for today's date.
class Reloj {
 public:
  virtual ~Reloj() = default;
  virtual Fecha Hoy() const = 0;
};

}  // namespace prjsumsal
