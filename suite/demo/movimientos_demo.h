#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/fecha.h"

namespace suite::demo {

// One line of a voucher: an account and a whole-peso debit or credit.
struct Linea {
  std::string centro;
  std::int64_t debe = 0;
  std::int64_t haber = 0;
};

// One voucher of the demo company: its five keys (the company is the caller's), who entered it,
// the book it counts in ("0" both, "1" tax only, "2" IFRS only) and its lines, which balance.
struct Comprobante {
  int subsistema = 1;
  prjsumsal::Fecha fecha;
  std::string documento;  // "A" apertura, "I" ingreso, "E" egreso, "T" traspaso
  int num_docum = 0;      // numbered per subsystem, document and year, in date order
  int usuario = 1;
  std::string ifrs;
  std::vector<Linea> lineas;
};

// A year and a half of the demo company's vouchers: from the first of the month seventeen months
// before `hoy`'s up to `hoy`, never later. Each new year opens with the balances of the last
// one, book by book. The same `hoy` always gives the same vouchers.
std::vector<Comprobante> comprobantes(const prjsumsal::Fecha& hoy);

}  // namespace suite::demo
