#pragma once

#include <optional>
#include <string>
#include <vector>

namespace suite::datos {

// An INSERT with its literal values taken out: the text with a `?` in place of each, which
// repeats from one row to the next, and the values in order. Preparing that text once and
// binding the values gives the rows the literals would have given: a quoted text binds as text,
// a whole number as an integer, any other number as a real.
struct FormaInsercion {
  struct Valor {
    enum class Tipo { Texto, Entero, Real } tipo;
    std::string texto;  // a text without its quotes, or the number as written
  };
  std::string forma;
  std::vector<Valor> valores;
};

// The shape of `sql` when it is an INSERT whose literals can all be told apart safely: quoted
// texts and decimal numbers (with a sign after "(" or ","). Anything this does not read with
// certainty (blob or hexadecimal literals, quoted names, comments, parameters of its own) gives
// nullopt, and the statement is then prepared as written.
std::optional<FormaInsercion> formaInsercion(const std::string& sql);

}  // namespace suite::datos
