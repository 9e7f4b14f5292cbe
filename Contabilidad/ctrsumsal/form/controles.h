#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace prjsumsal {

// The form's own controls as plain values: what they show and their design settings. A window
// binds to them; headless, the host and the tests read and write them directly.

// Left, top, width and height in twips.
struct Posicion {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Posicion&) const = default;
};

// The system's button-face colour, the default background of buttons.
inline constexpr std::uint32_t kColorBoton = 0x8000000F;

struct Etiqueta {
  std::string Caption;
  Posicion pos;
  int TabIndex = 0;
};

struct BotonComando {
  std::string Caption;
  Posicion pos;
  int TabIndex = 0;
  std::uint32_t BackColor = kColorBoton;
  bool Picture = false;  // carries a picture beside its caption
};

struct BotonOpcion {
  std::string Caption;
  Posicion pos;
  int TabIndex = 0;
  bool Value = false;  // selected
};

struct CajaTexto {
  std::string Text;
  std::size_t MaxLength = 0;  // characters the user may type; 0 for no limit
  Posicion pos;
  int TabIndex = 0;

  // The user types `texto` at the end of the box: characters beyond MaxLength are not taken.
  // Code that sets Text directly is not limited, as on the platform.
  void teclear(std::string_view texto);
};

struct Combo {
  std::vector<std::string> List;
  int ListIndex = -1;  // the selected entry, -1 for none
  std::string Text;    // the text shown
  Posicion pos;
  int TabIndex = 0;

  void Clear();
  void AddItem(const std::string& item);
  // Selects the entry `indice` and shows its text; raises an Error when there is none.
  void seleccionar(int indice);
};

}  // namespace prjsumsal
