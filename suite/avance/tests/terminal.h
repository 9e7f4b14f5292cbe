#pragma once

#include <functional>
#include <string>
#include <vector>

namespace suite::avance::prueba {

// What a child process left on a pseudo-terminal: every byte it wrote, how it ended, and the
// screen as a terminal shows it at the end (a carriage return goes back to the first column, a
// line feed to the next line, a character overwrites the cell under the cursor; blanks at the end
// of a line are dropped, and empty lines at the end of the screen).
struct EnTerminal {
  std::string bytes;
  int estado = 0;  // as waitpid gives it
  std::vector<std::string> pantalla;
};

// Runs `hijo` in a child process whose standard input, output and error are a new
// pseudo-terminal `columnas` wide, the child's controlling terminal, with the child in its
// foreground; the child exits with status 0 when `hijo` returns.
EnTerminal enTerminal(const std::function<void()>& hijo, unsigned short columnas = 80);

// Runs the program `argumentos[0]` with the rest as its arguments, as enTerminal runs a function,
// after applying `entorno` to its environment ("NAME=value" sets, "NAME" removes); its standard
// output goes to the file `salida` instead when one is given.
EnTerminal programaEnTerminal(const std::vector<std::string>& argumentos,
                              const std::vector<std::string>& entorno,
                              const std::string& salida = {});

// The screen `bytes` leave on a terminal, as above.
std::vector<std::string> pantalla(const std::string& bytes);

// The widest run of characters between two line breaks or carriage returns in `bytes`.
std::size_t tramoMasAncho(const std::string& bytes);

}  // namespace suite::avance::prueba
