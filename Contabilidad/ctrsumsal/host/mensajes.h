#pragma once

#include <optional>
#include <string>

namespace prjsumsal {

// The icon of a message box; the values are the platform's style bits.
enum class Icono { Ninguno = 0, Critico = 16, Pregunta = 32, Exclamacion = 48, Informacion = 64 };

// Message boxes. Every box the module shows has one OK button and waits for it.
class Mensajes {
 public:
  virtual ~Mensajes() = default;
  // Shows `texto` with `icono`. A box without a title of its own (nullopt) carries the
  // application's title, as the platform does.
  virtual void MsgBox(const std::string& texto, Icono icono,
                      const std::optional<std::string>& titulo) = 0;
};

}  // namespace prjsumsal
