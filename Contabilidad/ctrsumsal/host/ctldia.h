#pragma once

#include <cstdint>
#include <string>

#include "host/valor.h"

namespace prjsumsal {

// The suite's date-entry control `prjDia.ctlDia`. Its three values describe the same calendar
// day: the displayed text "dd/mm/yyyy", the text for a query (placed between # delimiters in a
// statement; "yyyy-mm-dd") and the year.
class ctlDia {
 public:
  static constexpr std::int32_t kDispidText = 0x6803000d;
  static constexpr std::int32_t kDispidFechaSQL = 0x68030009;
  static constexpr std::int32_t kDispidAnio = 0x6803000a;

  virtual ~ctlDia() = default;

  // The date as displayed, "dd/mm/yyyy".
  virtual std::string Text() const = 0;
  // Sets the displayed date. Raises an Error that names the text when it is not a real day.
  virtual void Text(const std::string& valor) = 0;
  // The date as a text for a query, "yyyy-mm-dd".
  virtual std::string FechaSQL() const = 0;
  // The year of the date.
  virtual int Anio() const = 0;

  // Late-bound access by DISPID. The query text and the year are read-only.
  Valor get(std::int32_t dispid) const;
  void put(std::int32_t dispid, const Valor& valor);
};

}  // namespace prjsumsal
