#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "balance_visor.h"

namespace suite::visor {

// What the balance's table shows, and in which order.
struct Criterio {
  QString buscar;             // shown: accounts whose code or name holds it (clave())
  bool ocultarCeros = false;  // hides accounts whose year-to-date balance is zero
  bool subtotales = true;     // a subtotal row under each group of each level
  int columna = 0;            // 0 code, 1 name, 2.. the amounts
  bool ascendente = true;
};

// A subtotal row: the accounts shown whose code begins with `prefijo`, added column by column.
struct Subtotal {
  std::string prefijo;
  std::string nombre;  // "Total " and the title account's name, or "Total nivel N"
  int nivel = 0;       // the prefix's length
  Montos montos{};
  std::size_t cuentas = 0;  // how many accounts it adds
};

// One row of the table: an account (an index into BalanceVisor::cuentas) or a subtotal (an
// index into Vista::subtotales).
struct Fila {
  bool subtotal = false;
  std::size_t indice = 0;
};

// The balance's rows as the table shows them for a Criterio. Subtotals add the accounts shown
// (a hidden account is in no subtotal, so the rows shown add up to their subtotal), and come
// only in the order of the codes, where each group of accounts is together: under the group's
// last account, the deepest level first. A subtotal that would repeat a row above it is left
// out: that of a group of one account, or of a group whose accounts are all in one deeper group.
// `niveles` are the prefix lengths, shortest first; an account counts in a level only when its code
// is longer than the level.
class Vista {
 public:
  Vista(const BalanceVisor& balance, std::vector<int> niveles)
      : balance_(balance), niveles_(std::move(niveles)) {}

  void aplicar(const Criterio& criterio);

  const std::vector<Fila>& filas() const { return filas_; }
  const std::vector<Subtotal>& subtotales() const { return subtotales_; }
  const Criterio& criterio() const { return criterio_; }
  const BalanceVisor& balance() const { return balance_; }

  // The amounts and texts of a row, whichever kind it is.
  const Montos& montos(const Fila& f) const;
  const std::string& codigo(const Fila& f) const;
  const std::string& nombre(const Fila& f) const;

 private:
  bool muestra(const CuentaVisor& c) const;
  void ordenar(std::vector<std::size_t>& indices) const;
  void subtotalizar(const std::vector<std::size_t>& indices);

  const BalanceVisor& balance_;
  std::vector<int> niveles_;
  Criterio criterio_;
  QString aguja_;  // what is looked for, as clave() gives it
  std::vector<Fila> filas_;
  std::vector<Subtotal> subtotales_;
};

}  // namespace suite::visor
