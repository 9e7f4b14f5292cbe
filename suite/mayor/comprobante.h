#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "balance/consulta.h"
#include "host/base_datos.h"
#include "mayor/mayor.h"

namespace suite::mayor {

// One line of a voucher: the account, its name in the chart (empty when the chart lacks it)
// and the amounts in cents.
struct LineaComprobante {
  std::string centro;
  std::string n_centro;
  std::int64_t debe = 0;
  std::int64_t haber = 0;
};

// A whole voucher: its keys, who entered it and the book it counts in (its header's usuario and
// ifrs), and all its journal lines, whatever their accounts, in the order the database keeps
// them (for a voucher, the order it was entered).
struct Comprobante {
  Claves claves;
  std::int64_t usuario = 0;
  std::string ifrs;
  std::vector<LineaComprobante> lineas;

  std::int64_t debe() const;
  std::int64_t haber() const;
  // Whether its debits equal its credits, to the cent.
  bool cuadra() const { return debe() == haber(); }
};

// The voucher that `claves` name, read as the ledger reads it: only when its header is one the
// balance of `consulta` counts (the company of the keys, the book, and with alias 2 the user's
// own); nullopt otherwise, or when no such voucher exists. The dates of `consulta` play no
// part: a ledger line names a voucher of any day. Two statements on the database, reading only.
// Raises prjsumsal::Error with the database's message when it refuses.
std::optional<Comprobante> leerComprobante(prjsumsal::BaseDatos& db,
                                           const prjsumsal::Consulta& consulta,
                                           const Claves& claves);

}  // namespace suite::mayor
