#pragma once

#include <optional>
#include <string>

#include "host/dialogo.h"

namespace suite::plataforma {

// The save dialog of batch mode: nobody is there to choose, so it answers the path it was
// given (nullopt stands for a cancel) and keeps the settings it was shown with.
class DialogoFijo : public prjsumsal::DialogoGuardar {
 public:
  explicit DialogoFijo(std::optional<std::string> respuesta) : respuesta_(std::move(respuesta)) {}

  std::optional<std::string> ShowSave(const prjsumsal::OpcionesGuardar& opciones) override {
    mostrado_ = opciones;
    return respuesta_;
  }

  // Answers `respuesta` from now on.
  void responder(std::optional<std::string> respuesta) { respuesta_ = std::move(respuesta); }
  // The settings of the last ShowSave, nullopt before the first.
  const std::optional<prjsumsal::OpcionesGuardar>& mostrado() const { return mostrado_; }

 private:
  std::optional<std::string> respuesta_;
  std::optional<prjsumsal::OpcionesGuardar> mostrado_;
};

}  // namespace suite::plataforma
