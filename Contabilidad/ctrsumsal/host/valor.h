#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "host/fecha.h"

namespace prjsumsal {

// A value as the host's record sets and automation calls carry it: null, a whole number, a
// double, a text, a boolean or a date. The conversions are those the module relies on: a null
// taken as a number or as a text raises "Uso no válido de Null"; a text that is not a number
// taken as a number raises "No coinciden los tipos".
class Valor {
 public:
  enum class Tipo { Nulo, Entero, Doble, Texto, Logico, Fecha };

  Valor() = default;  // null
  Valor(std::int64_t v) : dato_(v) {}
  Valor(int v) : dato_(std::int64_t{v}) {}
  Valor(double v) : dato_(v) {}
  Valor(std::string v) : dato_(std::move(v)) {}
  Valor(const char* v) : dato_(std::string(v)) {}
  Valor(bool v) : dato_(v) {}
  Valor(Fecha v) : dato_(v) {}

  Tipo tipo() const { return static_cast<Tipo>(dato_.index()); }
  bool esNulo() const { return tipo() == Tipo::Nulo; }

  // The value as a double. Integers and booleans (true is -1) convert; a text converts when it
  // holds a number and nothing else but blanks. Raises on null, a date or another text.
  double numero() const;
  // The value as a whole number, rounded half to even as the platform does; raises as numero()
  // does and "Desbordamiento" when it does not fit in 64 bits.
  std::int64_t entero() const;
  // The value as a text: a text as it is, integers in decimal digits, doubles in the general
  // number form with "." as the decimal separator, booleans as "Verdadero" / "Falso", dates as
  // "dd/mm/yyyy". Raises on null.
  std::string texto() const;
  // The value as a boolean: numbers are true when not 0; the texts "Verdadero"/"True" and
  // "Falso"/"False" (any case) and numeric texts convert. Raises on null and other texts.
  bool logico() const;

  bool operator==(const Valor&) const = default;

 private:
  std::variant<std::monostate, std::int64_t, double, std::string, bool, Fecha> dato_;
};

}  // namespace prjsumsal
