#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace suite {

// A statement cut into pieces for translation. String literals, quoted names and bracketed
// names are single pieces, so that a translation never looks inside them.
struct Pieza {
  enum class Clase {
    Blanco,   // a run of white space
    Cadena,   // a literal between single quotes, quotes included
    Cita,     // a name or Jet text between double quotes, brackets or back quotes
    Fecha,    // a Jet date literal #yyyy-mm-dd#, delimiters included
    Palabra,  // a name, keyword or number
    Simbolo,  // any other single character
  };
  Clase clase;
  std::string_view texto;

  bool es(Clase c, std::string_view t) const;  // same class and same text, ignoring case
};

// A translation's edit: the pieces from the key of the map up to `hasta` (included) are written
// as `texto`.
struct Cambio {
  std::size_t hasta;
  std::string texto;
};
using Cambios = std::map<std::size_t, Cambio>;

// Cuts a statement into pieces; the pieces' texts, joined, give the statement back unchanged.
std::vector<Pieza> cortar(std::string_view sentencia);

// The index of the next piece after `i` that is not blank; `p.size()` when there is none.
std::size_t siguiente(const std::vector<Pieza>& p, std::size_t i);
// The index of the piece before `i` that is not blank; `p.size()` when there is none.
std::size_t anterior(const std::vector<Pieza>& p, std::size_t i);
// The index of the ")" that closes the "(" at `i`; `p.size()` when it is not closed.
std::size_t cierre(const std::vector<Pieza>& p, std::size_t i);

}  // namespace suite
