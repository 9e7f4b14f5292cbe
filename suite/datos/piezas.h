#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace suite::datos {

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

inline bool esDigito(char c) {
  return c >= '0' && c <= '9';
}

// Cuts a statement into pieces; the pieces' texts, joined, give the statement back unchanged.
std::vector<Pieza> cortar(std::string_view sentencia);
// The piece that starts at `t[i]`, for a reader that walks the pieces without keeping them.
Pieza piezaEn(std::string_view t, std::size_t i);

// The text of a string literal piece without its quotes, a doubled quote read as one; nullopt
// when the literal is not closed.
std::optional<std::string> textoDeCadena(std::string_view pieza);

// A decimal number that starts at `t[i]` (digits, a fraction, an exponent): where it ends and
// whether it is written as a real (with a point or an exponent). A number spans several pieces
// (1.5e-3 is five), so it is read from the text. nullopt when what starts there is no number that
// can be told apart with certainty: a hexadecimal literal, an exponent without digits, or a
// number followed by a letter of a name.
struct Numero {
  std::size_t fin;
  bool real;
};
std::optional<Numero> leerNumero(std::string_view t, std::size_t i);

// The index of the next piece after `i` that is not blank; `p.size()` when there is none.
std::size_t siguiente(const std::vector<Pieza>& p, std::size_t i);
// The index of the piece before `i` that is not blank; `p.size()` when there is none.
std::size_t anterior(const std::vector<Pieza>& p, std::size_t i);
// The index of the ")" that closes the "(" at `i`; `p.size()` when it is not closed.
std::size_t cierre(const std::vector<Pieza>& p, std::size_t i);

}  // namespace suite::datos
