#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace prjsumsal {

// A calendar day. The module never needs a time of day.
struct Fecha {
  int anio = 0;
  int mes = 0;
  int dia = 0;

  auto operator<=>(const Fecha&) const = default;

  // True for a real day of the Gregorian calendar (years 1 to 9999).
  bool valida() const;
  // "dd/mm/yyyy" with the given separator.
  std::string texto(char separador = '/') const;
  // "yyyy-mm-dd", the form a date takes between # delimiters in a statement.
  std::string iso() const;
  // Reads "dd/mm/yyyy" (one or two digits for day and month, four for the year, separator
  // '/' or '-'); nullopt when the text is not a real day.
  static std::optional<Fecha> leer(std::string_view texto);
  // Reads "yyyy-mm-dd"; nullopt when the text is not a real day.
  static std::optional<Fecha> leerIso(std::string_view texto);
};

}  // namespace prjsumsal
