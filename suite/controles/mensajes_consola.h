#pragma once

#include <cstddef>
#include <ostream>
#include <string>

#include "host/mensajes.h"

namespace suite::controles {

// Message boxes of batch mode: each box is one line on `salida`, its title, ": " and its text (a
// box without a title carries the application's). It remembers whether a critical box was shown,
// which makes nubo's exit status 1.
class MensajesConsola : public prjsumsal::Mensajes {
 public:
  MensajesConsola(std::ostream& salida, std::string tituloAplicacion)
      : salida_(salida), titulo_(std::move(tituloAplicacion)) {}

  void MsgBox(const std::string& texto, prjsumsal::Icono icono,
              const std::optional<std::string>& titulo) override;

  bool huboCritico() const { return critico_; }
  // How many boxes were shown.
  std::size_t cajas() const { return cajas_; }

 private:
  std::ostream& salida_;
  std::string titulo_;
  bool critico_ = false;
  std::size_t cajas_ = 0;
};

}  // namespace suite::controles
