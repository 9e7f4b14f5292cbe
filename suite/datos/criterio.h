#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace suite::datos {

// An equality criterion of findfirst, `columna='valor'`.
struct Igualdad {
  std::string columna;
  std::string valor;  // with each doubled quote read as one quote
};

// Reads a criterion of the form `col='value'`: blanks are allowed around the column, the equal
// sign and the quoted value, and a doubled quote inside the value stands for one quote. The
// column is a plain name or a name between brackets. Returns nullopt for any other form.
std::optional<Igualdad> leerCriterio(std::string_view criterio);

}  // namespace suite::datos
