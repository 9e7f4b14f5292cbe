#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "balance/consulta.h"
#include "host/base_datos.h"
#include "host/fecha.h"
#include "mayor/seleccion.h"

namespace suite::mayor {

// The five keys that join a journal line to its voucher's header and name the voucher.
struct Claves {
  std::int16_t empresa = 0;
  std::int64_t subsistema = 0;
  prjsumsal::Fecha fecha;
  std::string documento;    // document type ("I", "E", "T", ...)
  std::int64_t numero = 0;  // num_docum

  bool operator==(const Claves&) const = default;
};

// One journal line of an account's ledger. Amounts are in cents (prjsumsal::centavos), so that
// sums and running balances are exact; prjsumsal::pesos gives the whole pesos a document shows.
struct Movimiento {
  Claves claves;
  std::int64_t debe = 0;
  std::int64_t haber = 0;
  std::int64_t saldo = 0;  // the running balance after this line: debit positive, credit negative
};

// An account of the ledger, as it opens: code, name and group from the chart (empty when the
// chart lacks the account), and the opening balance in cents (debit positive): the lines of
// the year of --hasta before the period's first day.
struct Cuenta {
  std::string centro;
  std::string n_centro;
  std::string g_cuenta;
  std::int64_t apertura = 0;
};

// The period's sums of an account and its closing balance, in cents. The closing balance falls
// on one side as in the balance: Deudor when it is positive (debits exceed credits), otherwise
// Acreedor (0 included).
struct Totales {
  std::int64_t debe = 0;   // the balance's Debitos of the account
  std::int64_t haber = 0;  // its Creditos
  std::int64_t saldo = 0;  // apertura + debe - haber
  std::size_t lineas = 0;  // journal lines of the period

  std::int64_t deudor() const { return saldo > 0 ? saldo : 0; }
  std::int64_t acreedor() const { return saldo > 0 ? 0 : -saldo; }
};

// The ledger (libro mayor) of the accounts a Seleccion takes, read forward, for the balance
// that `consulta` describes and with its filters: the company, the year of `hasta` up to
// `hasta`, the book (vouchers marked "0" and those of the chosen book) and, with alias 2, the
// user's own vouchers; each line joined to its voucher's header on the five keys. An account
// whose lines all fall before the period still opens and closes; so does an account of the
// chart the selection takes that has no line at all. For every account the period's sums and
// the closing balance equal the balance row's Debitos, Creditos and Deudor or Acreedor.
//
// Accounts come in the database's order of their codes, each account's lines by date, then
// subsystem, document type, number, debit and credit. All of it is one statement read forward
// (one state of the journal on either engine), its rows read as they are used (on PostgreSQL
// through a cursor, a batch at a time), so memory does not grow with the lines. Only reads:
// nothing is written.
//
// Use:
//   Mayor mayor(db, consulta, seleccion);
//   for (Cuenta c; mayor.siguienteCuenta(c);) {
//     for (Movimiento m; mayor.siguienteMovimiento(m);) ...
//     mayor.totales() ...
//   }
// Failures raise prjsumsal::Error: a statement the database rejects (its message), a line
// without a date or whose amounts are not numbers (a message that names the account).
class Mayor {
 public:
  Mayor(prjsumsal::BaseDatos& db, const prjsumsal::Consulta& consulta, const Seleccion& seleccion);
  ~Mayor();
  Mayor(const Mayor&) = delete;
  Mayor& operator=(const Mayor&) = delete;

  // Moves to the next account, skipping what is left of the current one, and fills `cuenta`;
  // false after the last.
  bool siguienteCuenta(Cuenta& cuenta);

  // Fills `m` with the current account's next line of the period and returns true; false after
  // its last line, when totales() holds the account's closing figures.
  bool siguienteMovimiento(Movimiento& m);

  // The current account's sums so far: final once siguienteMovimiento has returned false.
  const Totales& totales() const { return totales_; }

 private:
  bool lineaDeLaCuenta() const;

  prjsumsal::Consulta consulta_;
  prjsumsal::Fecha desde_;
  std::unique_ptr<prjsumsal::Registros> filas_;
  std::string actual_;  // the current account's code
  bool enCuenta_ = false;
  Totales totales_;
};

// The statement Mayor reads, in the Jet dialect (for the trace and the tests): the lines of the
// selected accounts with the balance's filters, and the chart rows of the selected accounts,
// ordered by account.
std::string sentenciaMayor(const prjsumsal::Consulta& consulta, const Seleccion& seleccion);

}  // namespace suite::mayor
