#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/mensajes.h"

namespace prjsumsal::prueba {

// One message box as the module showed it.
struct Caja {
  std::string texto;
  Icono icono;
  std::optional<std::string> titulo;
  bool operator==(const Caja&) const = default;
};

// Message boxes that are recorded instead of shown; every box is answered at once.
class MensajesGrabados : public Mensajes {
 public:
  void MsgBox(const std::string& texto, Icono icono,
              const std::optional<std::string>& titulo) override {
    cajas.push_back({texto, icono, titulo});
  }
  // The texts alone, in the order shown.
  std::vector<std::string> textos() const {
    std::vector<std::string> r;
    for (const auto& c : cajas) r.push_back(c.texto);
    return r;
  }

  std::vector<Caja> cajas;
};

}  // namespace prjsumsal::prueba
