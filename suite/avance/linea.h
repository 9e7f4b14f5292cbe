#pragma once

#include <cstddef>
#include <string>

namespace suite::avance {

// What the progress line shows at one moment.
struct Estado {
  std::string que;           // the stage; empty: nothing to show
  std::size_t cuenta = 0;    // units of the stage done
  std::size_t total = 0;     // units the stage counts to; 0 when not known
  std::size_t segundos = 0;  // how long the stage has run
};

// The text of the line for `e`, to be written after a carriage return on a terminal
// `columnas` wide: "Pintando páginas: 120 de 1.191 (10 %)" when the total is known,
// "Calculando las cuentas: 12.345" when only the count is, "Leyendo el diario… 12 s" when
// neither. Counts are grouped by thousands with ".". The text is cut to one column less than
// the terminal's width, so that it never wraps onto a second line (which a carriage return
// could not take back); each character counts as one column, a byte of Windows-1252 among UTF-8
// too (host/codificacion.h). Empty when `e.que` is.
std::string textoLinea(const Estado& e, std::size_t columnas);

}  // namespace suite::avance
