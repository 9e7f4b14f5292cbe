#pragma once

#include <memory>

#include "host/base_datos.h"
#include "progreso.h"

namespace suite::ventana {

// A database object of the host seen through the window's long-work watch: every statement, every
// record set opened and every row moved to is a step of the work (Progreso::paso), which keeps
// the screen alive and lets the user cancel. Otherwise it is the object it wraps.
class BaseVigilada : public prjsumsal::BaseDatos {
 public:
  BaseVigilada(std::shared_ptr<prjsumsal::BaseDatos> base, Progreso& progreso)
      : base_(std::move(base)), progreso_(progreso) {}

  long executesql(const std::string& sentencia) override;
  std::unique_ptr<prjsumsal::Registros> newrecord(const std::string& sentencia) override;
  std::unique_ptr<prjsumsal::Registros> newrecord(const std::string& sentencia,
                                                  std::int16_t opcion) override;
  std::string Name() const override { return base_->Name(); }

 private:
  std::unique_ptr<prjsumsal::Registros> vigilar(std::unique_ptr<prjsumsal::Registros> r);

  std::shared_ptr<prjsumsal::BaseDatos> base_;
  Progreso& progreso_;
};

}  // namespace suite::ventana
